#!/usr/bin/env bash
# Takes a picture of every screen of the wizard from the real window (under a virtual X
# display, with the simulated kernel) into docs/screens/, with an index page.
# Builds into build/ first unless KORVANE_BIN_DIR names the binaries to use.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${KORVANE_BIN_DIR:-}" ]; then
  "$root/scripts/build.sh"
  export KORVANE_BIN_DIR=${BUILD_DIR:-$root/build}/bin
fi
"$root/scripts/npm-install.sh" "$root/tests/e2e"
node "$root/tests/e2e/screens.js" "$root/docs/screens"
