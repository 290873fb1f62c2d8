#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine, in the build's own Wine prefix
# (WINEPREFIX, default build-windows/wine), without Wine's debug output.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-${WINDOWS_BUILD_DIR:-$root/build-windows}/wine}
export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
exec "$wine" "$@"
