#!/usr/bin/env bash
# Pictures of the program's windows for review: scripts/screenshots.sh OUTDIR [BUILDDIR]
# Builds nothing (BUILDDIR defaults to build/). Takes every picture of the two tables below once
# at 100 % (OUTDIR/100) and once at 200 % scaling (OUTDIR/200), on the offscreen platform unless
# a display is asked for with KELDAR_SCREENSHOT_PLATFORM.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
  echo "usage: scripts/screenshots.sh OUTDIR [BUILDDIR]" >&2
  exit 2
fi
out=$(realpath -m "$1")
build=$(realpath -m "${2:-build}")
src=$(pwd)
export QT_QPA_PLATFORM="${KELDAR_SCREENSHOT_PLATFORM:-offscreen}"

# Grabbing programs, one a line: group | program in BUILDDIR | folder it runs in | its arguments
# after OUTDIR ({bin}: BUILDDIR/bin).
#   main:    the main window after a run and each of its menus; the Results Summary and the report
#            viewer with a search hit; the questions of a file read in part and of a stopped run
#   dialogs: the data windows, the About box and the help window
#   tables:  the table editors (soil layers with a layer's data, a t-z curve with its chart, ...)
#   views:   the soil profile (one layer; a pile longer than the profile; the printed page) and
#            the export dialog before and after a run
#   cpt:     New Project from CPT with its preview (run from the example's folder so that the
#            picture shows the file name alone)
grabbers=(
  "main|app/main/keldar_main_grab|.|{bin} examples/layered-downdrag.kd3d"
  "dialogs|app/main/keldar-grab-dialogs|.|examples/steel-pipe-clay.kd3d"
  "tables|app/tables/window/keldar_table_screens|.|"
  "views|app/views/tests/keldar-grab-views|.|"
  "cpt|app/cpt/keldar-grab-cpt|examples/cpt|dense-sand-pipe.gef"
)

# Plot windows of examples run by keldar-run, one a line: example | graph title | measured load
# test | prefix of the pictures kept | plots kept (all: every plot as window, saved picture and
# printed page, and the Active Curves dialog).
plots=(
  "pipe-pile-clay|24 in. pipe pile, 80 ft in clay|examples/measured/pipe-pile-clay-load-test.csv||all"
  "layered-downdrag|||layered-downdrag-|load-distribution load-settlement"
  "user-curves-si|||user-curves-si-|load-distribution load-settlement"
  "cpt/dense-sand-pipe|1.2 m open steel pipe, 28 m in dense sand (CPT-S1)||cpt-|load-settlement"
)

# One grabbing program's pictures into $1.
grab() {
  local dir=$1 group program folder args
  IFS='|' read -r group program folder args <<<"$2"
  if [ ! -x "$build/$program" ]; then
    echo "screenshots: $group: $build/$program is not built" >&2
    return 1
  fi
  args=${args//\{bin\}/$build/bin}
  # shellcheck disable=SC2086  # the arguments are words of the table
  (cd "$src/$folder" && "$build/$program" "$dir" $args)
}

# One example's plot pictures into $1: run it in a scratch folder, shoot its plots, keep some.
shoot_plots() {
  local dir=$1 example title measured prefix kept work name plot
  IFS='|' read -r example title measured prefix kept <<<"$2"
  work=$(mktemp -d)
  name=$(basename "$example")
  cp "$src/examples/$example.kd3d" "$work/"
  "$build/tools/keldar-run" --quiet "$work/$name.kd3d"
  local extra=()
  [ -n "$title" ] && extra+=("$title")
  [ -n "$measured" ] && extra+=("$src/$measured")
  "$build/app/plot/window/screenshots/keldar-plot-screenshots" "$work/$name.kd3p" "$work" \
    "${extra[@]}"
  if [ "$kept" = all ]; then
    cp "$work"/plot-*.png "$dir/"
    for pdf in "$work"/plot-*-printed.pdf; do
      command -v pdftoppm >/dev/null &&
        pdftoppm -png -r 60 -singlefile "$pdf" "$dir/$(basename "$pdf" .pdf)"
      cp "$pdf" "$dir/"
    done
  else
    for plot in $kept; do
      cp "$work/plot-$plot-window.png" "$dir/$prefix$plot-window.png"
      cp "$work/plot-$plot-saved.png" "$dir/$prefix$plot-saved.png"
    done
  fi
  rm -rf "$work"
}

status=0
for scale in 1 2; do
  dir="$out/$((scale * 100))"
  mkdir -p "$dir"
  export QT_SCALE_FACTOR=$scale
  for row in "${grabbers[@]}"; do
    echo "screenshots: ${row%%|*} at $((scale * 100)) %"
    grab "$dir" "$row" || { echo "screenshots: ${row%%|*} failed" >&2; status=1; }
  done
  for row in "${plots[@]}"; do
    echo "screenshots: plots of ${row%%|*} at $((scale * 100)) %"
    shoot_plots "$dir" "$row" || { echo "screenshots: plots of ${row%%|*} failed" >&2; status=1; }
  done
done
exit $status
