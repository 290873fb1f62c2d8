#!/usr/bin/env bash
# Sets everything up, builds and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
npm ci --prefix "$root/tests/e2e" --no-audit --no-fund --loglevel=error
npm ci --prefix "$root/tests/page" --no-audit --no-fund --loglevel=error
ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)"
