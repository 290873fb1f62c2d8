#!/usr/bin/env bash
# Builds for Windows (scripts/build-windows.sh) and runs the Windows tests under Wine, in a
# Wine prefix of the build's own (build-windows/wine, made on first use).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${WINDOWS_BUILD_DIR:-$root/build-windows}
export WINEPREFIX=$build/wine

"$root/scripts/build-windows.sh"
status=0
ctest --test-dir "$build" --output-on-failure || status=$?
# The prefix's server would otherwise outlive the run for a few seconds.
wineserver -k 2>/dev/null || true
exit "$status"
