#!/usr/bin/env bash
# Builds in Release into build-release/ (or $BENCH_BUILD_DIR) with the benchmarks, runs
# every one of them against its bare baseline, prints the table and writes it with the
# machine, date and commit to docs/benchmarks.md, with docs/startup-phases.png.
# Extra arguments go to bench/run.js (for example --runs 10).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$root/build-release}

BUILD_DIR=$build BUILD_TYPE=Release "$root/scripts/build.sh" --target \
  korvaneupdater KorvaneUpdaterWindow KorvaneUpdaterKernel KorvaneCrashHandler \
  korvane_bench_bare_window korvane_bench_bare_kernel korvane_bench_measure \
  korvane_bench_logging korvane_bench_links
# The DevTools client of the end-to-end harness, which the driver uses.
"$root/scripts/npm-install.sh" "$root/tests/e2e"

node "$root/bench/run.js" --build "$build" "$@"
