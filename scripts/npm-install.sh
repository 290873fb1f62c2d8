#!/usr/bin/env bash
# Installs the npm packages pinned in each folder's package-lock.json (npm ci), unless
# they are in place already and the lock file has not changed since.
#
#   scripts/npm-install.sh FOLDER...
set -euo pipefail
for folder in "$@"; do
  if ! [ "$folder/node_modules/.package-lock.json" -nt "$folder/package-lock.json" ]; then
    npm ci --prefix "$folder" --no-audit --no-fund --loglevel=error
  fi
done
