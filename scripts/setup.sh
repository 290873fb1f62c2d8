#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the updater needs.
# Idempotent and non-interactive; run as root (or through sudo) on Debian 12.
# With --windows, also what the Windows cross build needs (MinGW-w64, Wine, Boost's b2).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libboost-dev libboost-log-dev libboost-filesystem-dev libboost-system-dev
  libboost-thread-dev libboost-date-time-dev libboost-locale-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qtbase5-dev qtwebengine5-dev libqt5webchannel5-dev qtwebengine5-dev-tools
  libcrypto++-dev libpugixml-dev
  clang libclang-rt-14-dev
  libqt5x11extras5-dev libxcb-keysyms1-dev libsm-dev libice-dev
  xvfb xauth xdotool x11-utils openbox wmctrl chromium gnuplot-nox
  fonts-quicksand fonts-roboto fonts-ipafont-gothic icoutils librsvg2-bin imagemagick
)
if [ "${1:-}" = --windows ]; then
  packages+=(mingw-w64 g++-mingw-w64-x86-64-posix wine wine64 libboost1.74-tools-dev dpkg-dev googletest)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Node.js and npm may come from another source on some machines; only ask Debian when absent.
command -v node >/dev/null 2>&1 || missing+=(nodejs)
command -v npm >/dev/null 2>&1 || missing+=(npm)

if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
