#!/usr/bin/env bash
# Renders every screen of the wizard in the page's languages (the real page files in
# headless Chromium with the page tests' fake channel) into <folder>/<code>/ (default
# docs/screens), and fails when a text overflows or is cut off by its box, or when a screen
# breaks a WCAG 2.1 A or AA rule (axe-core).
#
#   scripts/language-screens.sh [folder] [code...]     all ten languages without codes
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screens}")
shift $(($# > 0 ? 1 : 0))
pattern="fits in ($(IFS='|'; echo "${*:-.*}"))\$"
"$root/scripts/npm-install.sh" "$root/html" "$root/tests/page"
cd "$root/tests/page"
KORVANE_SCREENS_OUT=$out node --test --test-concurrency=1 --test-name-pattern="$pattern" languages.test.js
