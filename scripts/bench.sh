#!/usr/bin/env bash
# Builds in Release into build-release/ (or $BENCH_BUILD_DIR) with the benchmarks, runs
# every one of them against its bare baseline, prints the table and writes it with the
# machine, date and commit to docs/benchmarks.md, with docs/startup-phases.png.
# Extra arguments go to bench/run.js (for example --runs 10).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$root/build-release}

"$root/scripts/setup.sh"
# The picture of the start-up phases.
if ! command -v gnuplot >/dev/null 2>&1; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends gnuplot-nox
fi
# The page's libraries, and the DevTools client of the end-to-end harness that the driver uses.
for folder in html tests/e2e; do
  [ -d "$root/$folder/node_modules" ] || npm ci --prefix "$root/$folder" --no-audit --no-fund --loglevel=error
done

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target \
  korvaneupdater KorvaneUpdaterWindow KorvaneUpdaterKernel KorvaneCrashHandler \
  korvane_bench_bare_window korvane_bench_bare_kernel korvane_bench_measure \
  korvane_bench_logging korvane_bench_links

node "$root/bench/run.js" --build "$build" "$@"
