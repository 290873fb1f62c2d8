#!/usr/bin/env bash
# Builds the program, the simulated kernel and the crash reporter for 64-bit Windows with
# MinGW-w64 into build-windows/ (or $WINDOWS_BUILD_DIR): korvaneupdater.exe,
# KorvaneUpdaterKernel.dll and KorvaneCrashHandler.dll in its bin/, with the Windows tests.
# The libraries it links come from scripts/windows-deps.sh (built once, then cached).
# Arguments go to cmake --build (for example --target NAME).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${WINDOWS_BUILD_DIR:-$root/build-windows}

deps=$("$root/scripts/windows-deps.sh" | tail -n 1)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DKORVANE_WINDOWS_DEPS="$deps" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh" >/dev/null
WINEPREFIX=$build/wine cmake --build "$build" -j"$(nproc)" "$@"
