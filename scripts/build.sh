#!/usr/bin/env bash
# Configures and builds KELDAR into build/ with the "normal" preset of CMakePresets.json (extra
# arguments go to CMake's configure step).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset normal "$@" >/dev/null
cmake --build --preset normal
