#!/usr/bin/env bash
# Fuzzes the option-file readers: builds the libFuzzer targets with clang in a build
# directory of their own and runs each for its share of the given seconds (default 60
# in all). Exits non-zero when a fuzzer finds anything; the input that did it is kept
# under <build>/fuzz/artifacts.
#
#   scripts/fuzz.sh [seconds]      KORVANE_FUZZ_BUILD=<dir> to build elsewhere
set -euo pipefail

total=${1:-60}
if ! [[ $total =~ ^[0-9]+$ ]] || ((total < 1)); then
    echo "usage: $0 [seconds]" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVANE_FUZZ_BUILD:-$root/build-fuzz}
targets=(option_xml installation_file)

cmake -S "$root" -B "$build" -DKORVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/korvane_fuzz_}"

# Rounded up, so that the fuzzers together run for at least the time asked for.
each=$(((total + ${#targets[@]} - 1) / ${#targets[@]}))
status=0
for target in "${targets[@]}"; do
    corpus=$build/fuzz/corpus/$target
    artifacts=$build/fuzz/artifacts
    log=$build/fuzz/$target.log
    mkdir -p "$corpus" "$artifacts"
    options=(-max_total_time="$each" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
             -artifact_prefix="$artifacts/$target-")
    if [[ $target == option_xml ]]; then
        options+=(-dict="$root/tests/fuzz/xml.dict")
    fi
    echo "fuzzing $target for ${each}s"
    # New inputs go to the build directory's corpus; the seeds stay as they are.
    if "$build/bin/korvane_fuzz_$target" "${options[@]}" "$corpus" "$root/tests/fuzz/corpus/$target" \
        >"$log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units)' "$log" || true
    else
        status=1
        echo "FINDING in $target (log: $log):" >&2
        tail -n 60 "$log" >&2
    fi
done
exit $status
