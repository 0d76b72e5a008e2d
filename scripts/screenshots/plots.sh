#!/usr/bin/env bash
# The plot windows of a sample run: the four result plots as windows, as saved pictures and as
# printed PDF pages (turned into PNGs with pdftoppm), and the Active Curves dialog.
# plots.sh OUTDIR BUILDDIR
set -euo pipefail
out=$1
build=$2
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$src/examples/pipe-pile-clay.kd3d" "$work/"
"$build/tools/keldar-run" --quiet "$work/pipe-pile-clay.kd3d"
"$build/app/plot/window/screenshots/keldar-plot-screenshots" "$work/pipe-pile-clay.kd3p" "$work"
cp "$work"/plot-*.png "$out/"
for pdf in "$work"/plot-*-printed.pdf; do
  name=$(basename "$pdf" .pdf)
  if command -v pdftoppm >/dev/null; then
    pdftoppm -png -r 60 -singlefile "$pdf" "$out/$name"
  fi
  cp "$pdf" "$out/"
done
