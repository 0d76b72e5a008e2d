#!/usr/bin/env bash
# The main window with a sample project after a run, and each of its menus opened; its Results
# Summary and the report viewer with a search hit; then the question before saving over a file
# read only in part and the message of a run that the engine stops:
# scripts/screenshots/main.sh OUTDIR BUILDDIR
set -euo pipefail
cd "$(dirname "$0")/../.."
out=$1
build=$2
grabber="$build/app/main/keldar_main_grab"
if [ ! -x "$grabber" ]; then
  echo "main.sh: $grabber not found; build it with: cmake --build $build --target keldar_main_grab" >&2
  exit 1
fi
mkdir -p "$out"
"$grabber" "$out" "$build/bin" examples/layered-downdrag.kd3d
