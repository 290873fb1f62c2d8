#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/ (or $BUILD_DIR, with
# $BUILD_TYPE). Arguments go to cmake --build (for example --target NAME).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/setup.sh"
# The page's libraries, at the versions html/package-lock.json pins.
"$root/scripts/npm-install.sh" "$root/html"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"
