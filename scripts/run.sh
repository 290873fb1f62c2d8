#!/usr/bin/env bash
# Sets everything up, builds and runs the updater with the simulated kernel: the
# window when a display is there, otherwise the unattended run (--silent).
# Arguments are passed to the program; KORVANE_SIM and KORVANE_LOG_LEVEL are honoured.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"

program=${BUILD_DIR:-$root/build}/bin/korvaneupdater
data=${XDG_DATA_HOME:-$HOME/.local/share}
logs="$data/korvane/korvane antivirus/Logs"

arguments=("$@")
silent=false
for argument in "$@"; do
  [ "$argument" != --silent ] || silent=true
done
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && ! $silent; then
  arguments=(--silent "$@")
fi
status=0
"$program" "${arguments[@]}" || status=$?
echo "korvaneupdater ${arguments[*]} exited with status $status"
echo "log folder: $logs"
exit "$status"
