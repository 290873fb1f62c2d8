#!/usr/bin/env bash
# Sets everything up, builds and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
"$root/scripts/npm-install.sh" "$root/tests/e2e" "$root/tests/page"
ctest --test-dir "${BUILD_DIR:-$root/build}" --output-on-failure -j"$(nproc)"
