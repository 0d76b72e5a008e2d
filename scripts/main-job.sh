#!/usr/bin/env bash
# Main job: analyses the bundled example with the engine (built by scripts/build.sh) and prints
# the load-settlement table of its output report (and the load-controlled table when the example
# has pile-head loads). Runs in a temporary copy, so nothing is written into the repository. Where
# a display exists and the GUI has been built, it is started on the same copy.
set -euo pipefail
cd "$(dirname "$0")/.."

runner=build/tools/keldar-run
example=examples/steel-pipe-clay.kd3d
if [ ! -x "$runner" ]; then
  echo "main-job: $runner not found; build first with scripts/build.sh" >&2
  exit 1
fi

work=$(mktemp -d)
keep_work=0
cleanup() { if [ "$keep_work" -eq 0 ]; then rm -rf "$work"; fi; }
trap cleanup EXIT

cp "$example" "$work/"
data="$work/$(basename "$example")"
"$runner" --quiet "$data"
# The tables begin with the title line just above the first "TOP  LOAD" heading and run to the
# end of the report.
awk '/TOP  LOAD     TOP MOVEMENT/ && !found { found = NR }
     { line[NR] = $0 }
     END { if (!found) exit 1; for (i = found - 4; i <= NR; i++) print line[i] }' \
  "${data%.kd3d}.kd3o" || { echo "main-job: no load-settlement table in the report" >&2; exit 1; }

gui=build/bin/KELDAR2014
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$gui" ]; then
  keep_work=1  # the GUI works on the copy after this script ends
  echo "main-job: starting $gui on $data" >&2
  "$gui" "$data" >/dev/null 2>&1 &
fi
