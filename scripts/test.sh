#!/usr/bin/env bash
# Checks the layout of the C++ files (scripts/check-format.sh), then builds KELDAR and runs every
# test: the normal build (warnings as errors) into build/ and its
# Debian package (scripts/test-package.sh), then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/, where any report fails the run, the engine's threaded
# tests under ThreadSanitizer in build-tsan/ (scripts/tsan.sh), and a minute of random user
# actions on the sanitizer build's program (scripts/gui-monkey.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/check-format.sh
bash scripts/build.sh -DKELDAR_WERROR=ON
ctest --test-dir build --output-on-failure -j2
bash scripts/test-package.sh

echo "== Sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --preset sanitizer >/dev/null
cmake --build --preset sanitizer
ctest --preset sanitizer

echo "== ThreadSanitizer (the engine's worker threads and runs in memory on several threads)"
bash scripts/tsan.sh

echo "== GUI monkey test (60 s of random user actions on the sanitizer build, own X server)"
bash scripts/gui-monkey.sh 60 build-asan
bash scripts/test-windows.sh

echo "== Fuzz smoke test (every reader and the evaluator, 20 s each, two at a time)"
bash scripts/fuzz.sh --jobs 2 20
