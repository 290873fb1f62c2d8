#!/usr/bin/env bash
# Builds the C++ tests and the programs and libraries they run with AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-asan/, or $ASAN_BUILD_DIR) and runs the unit,
# simulator, program and Qt tests under them. Any report fails the run, a report of the
# program or its libraries in a program test too (the test support passes the options on).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ASAN_BUILD_DIR:-$root/build-asan}
tests=$build/tests

# The window library bundles the page, which needs the page's libraries.
"$root/scripts/npm-install.sh" "$root/html"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_ASAN=ON >/dev/null
cmake --build "$build" -j"$(nproc)" \
  --target korvane_unit_tests simulator_tests korvane_program_tests korvane_ui_tests >/dev/null

# Full stacks for every allocation (fast_unwind_on_malloc=0): Qt is built without frame
# pointers, and the suppressions name the Qt frames that own a leak.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1:fast_unwind_on_malloc=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"

status=0
for program in korvane_unit_tests simulator_tests korvane_program_tests; do
  "$tests/$program" --gtest_brief=1 || status=1
done
QT_QPA_PLATFORM=offscreen "$tests/with-kernel/korvane_ui_tests" --gtest_brief=1 || status=1
exit $status
