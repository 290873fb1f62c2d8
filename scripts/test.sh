#!/usr/bin/env bash
# Sets everything up, builds and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The Windows cross build's packages too (MinGW-w64, Wine): its tests are among them.
"$root/scripts/setup.sh" --windows
"$root/scripts/build.sh"
"$root/scripts/npm-install.sh" "$root/tests/e2e" "$root/tests/page"
ctest --test-dir "${BUILD_DIR:-$root/build}" --output-on-failure -j"$(nproc)"
