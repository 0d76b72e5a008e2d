#!/usr/bin/env bash
# The plot windows of a sample run: the four result plots as windows, as saved pictures and as
# printed PDF pages (turned into PNGs with pdftoppm), the Active Curves dialog, and the
# load-settlement plot with the example's (illustrative) measured load test. Then the
# load distribution and load-settlement plots of the down-drag example and of the S.I. example
# with an uplift case and head loads, prefixed with the example's name.
# plots.sh OUTDIR BUILDDIR
set -euo pipefail
out=$1
build=$2
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$src/examples/pipe-pile-clay.kd3d" "$work/"
"$build/tools/keldar-run" --quiet "$work/pipe-pile-clay.kd3d"
"$build/app/plot/window/screenshots/keldar-plot-screenshots" "$work/pipe-pile-clay.kd3p" "$work" \
  "24 in. pipe pile, 80 ft in clay" "$src/examples/measured/pipe-pile-clay-load-test.csv"
cp "$work"/plot-*.png "$out/"
for pdf in "$work"/plot-*-printed.pdf; do
  name=$(basename "$pdf" .pdf)
  if command -v pdftoppm >/dev/null; then
    pdftoppm -png -r 60 -singlefile "$pdf" "$out/$name"
  fi
  cp "$pdf" "$out/"
done
for example in layered-downdrag user-curves-si; do
  mkdir "$work/$example"
  cp "$src/examples/$example.kd3d" "$work/$example/"
  "$build/tools/keldar-run" --quiet "$work/$example/$example.kd3d"
  "$build/app/plot/window/screenshots/keldar-plot-screenshots" \
    "$work/$example/$example.kd3p" "$work/$example"
  for plot in load-distribution load-settlement; do
    cp "$work/$example/plot-$plot-window.png" "$out/$example-$plot-window.png"
    cp "$work/$example/plot-$plot-saved.png" "$out/$example-$plot-saved.png"
  done
done
