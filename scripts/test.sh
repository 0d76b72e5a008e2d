#!/usr/bin/env bash
# Builds KELDAR and runs every test: the normal build (warnings as errors) into build/ and its
# Debian package (scripts/test-package.sh), then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/, where any report fails the run, the engine's threaded
# tests under ThreadSanitizer in build-tsan/ (scripts/tsan.sh), and a minute of random user
# actions on the sanitizer build's program (scripts/gui-monkey.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh -DKELDAR_WERROR=ON
ctest --test-dir build --output-on-failure -j2
bash scripts/test-package.sh

echo "== Sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S . -B build-asan -G Ninja -DKELDAR_SANITIZE=ON -DKELDAR_WERROR=ON >/dev/null
cmake --build build-asan
ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j2

echo "== ThreadSanitizer (the engine's worker threads and runs in memory on several threads)"
bash scripts/tsan.sh

echo "== GUI monkey test (60 s of random user actions on the sanitizer build, own X server)"
bash scripts/gui-monkey.sh 60 build-asan
bash scripts/test-windows.sh

echo "== Fuzz smoke test (every reader and the evaluator, 20 s each, two at a time)"
bash scripts/fuzz.sh --jobs 2 20
