#!/usr/bin/env bash
# Builds the Qt tests with ThreadSanitizer (in build-tsan/, or $TSAN_BUILD_DIR) and runs
# the event relay's tests under it, the facade-destruction stress test among them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TSAN_BUILD_DIR:-$root/build-tsan}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_TSAN=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target korvane_ui_tests >/dev/null
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$root/tests/qt/tsan.supp" \
QT_QPA_PLATFORM=offscreen \
  "$build/tests/with-kernel/korvane_ui_tests" --gtest_filter='EventRelayTest.*' --gtest_repeat=3 --gtest_brief=1
