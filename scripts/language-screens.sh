#!/usr/bin/env bash
# Renders every screen of the wizard in the page's languages (the real page files in
# headless Chromium with the page tests' fake channel) into <folder>/<code>/ (default
# docs/screens), and fails when a text overflows or is cut off by its box.
#
#   scripts/language-screens.sh [folder] [code...]     all ten languages without codes
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/screens}")
shift $(($# > 0 ? 1 : 0))
pattern="fits in ($(IFS='|'; echo "${*:-.*}"))\$"
npm ci --prefix "$root/html" --no-audit --no-fund --loglevel=error
npm ci --prefix "$root/tests/page" --no-audit --no-fund --loglevel=error
cd "$root/tests/page"
KORVANE_SCREENS_OUT=$out node --test --test-concurrency=1 --test-name-pattern="$pattern" languages.test.js
