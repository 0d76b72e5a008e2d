#!/usr/bin/env bash
# New Project from CPT: the dialog with its preview for examples/cpt/dense-sand-pipe.gef, and the
# load-settlement plot of the project it makes, run by keldar-run. cpt.sh OUTDIR BUILDDIR
set -euo pipefail
out=$(realpath -m "$1")
build=$(realpath -m "$2")
src=$(cd "$(dirname "$0")/../.." && pwd)
grabber="$build/app/cpt/keldar-grab-cpt"
if [ ! -x "$grabber" ]; then
  echo "cpt.sh: $grabber is not built (cmake --build $build --target keldar-grab-cpt)" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
# From the example folder, so that the picture shows the file name alone.
(cd "$src/examples/cpt" && "$grabber" "$out" dense-sand-pipe.gef)
cp "$src/examples/cpt/dense-sand-pipe.kd3d" "$work/"
"$build/tools/keldar-run" --quiet "$work/dense-sand-pipe.kd3d"
"$build/app/plot/window/screenshots/keldar-plot-screenshots" "$work/dense-sand-pipe.kd3p" "$work" \
  "1.2 m open steel pipe, 28 m in dense sand (CPT-S1)"
cp "$work/plot-load-settlement-window.png" "$out/cpt-load-settlement.png"
