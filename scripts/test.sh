#!/usr/bin/env bash
# Builds KELDAR and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh -DKELDAR_WERROR=ON
ctest --test-dir build --output-on-failure -j2
