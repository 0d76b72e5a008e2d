#!/usr/bin/env bash
# The engine's threaded paths under ThreadSanitizer, in build-tsan/: large runs whose cases are
# solved on worker threads (through the library as a host loads it, and through the driver),
# the work-in-order queue itself, and runs in memory on several threads at once, some of them
# with worker threads of their own. Any report fails the run. Only the engine and these tests
# are built (a few minutes on two cores).
set -euo pipefail
cd "$(dirname "$0")/.."

tests=(engine_work_in_order_test engine_solver_report_test engine_entry_test engine_in_memory_test)
cmake -S . -B build-tsan -G Ninja -DKELDAR_TSAN=ON -DKELDAR_BUILD_APP=OFF -DKELDAR_WERROR=ON \
  >/dev/null
cmake --build build-tsan --target "${tests[@]}"
# A report ends the test program with its own exit status, which fails the test.
export TSAN_OPTIONS="halt_on_error=1:exitcode=66:second_deadlock_stack=1"
export KELDAR_SOURCE_DIR="$PWD"
for test in "${tests[@]}"; do
  (cd build-tsan/engine/tests && "./$test" --gtest_brief=1)
done
