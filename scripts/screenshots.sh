#!/usr/bin/env bash
# Pictures of the program's windows for review: scripts/screenshots.sh OUTDIR [BUILDDIR]
# Builds nothing (BUILDDIR defaults to build/). Every script in scripts/screenshots/ takes
# OUTDIR and BUILDDIR and writes its PNGs there, once at 100 % (OUTDIR/100) and once at 200 %
# scaling (OUTDIR/200); this one runs them all, on the offscreen platform unless a display is
# asked for with KELDAR_SCREENSHOT_PLATFORM.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
  echo "usage: scripts/screenshots.sh OUTDIR [BUILDDIR]" >&2
  exit 2
fi
out=$(realpath -m "$1")
build=$(realpath -m "${2:-build}")
export QT_QPA_PLATFORM="${KELDAR_SCREENSHOT_PLATFORM:-offscreen}"
status=0
for scale in 1 2; do
  dir="$out/$((scale * 100))"
  mkdir -p "$dir"
  for piece in scripts/screenshots/*.sh; do
    [ -e "$piece" ] || continue
    echo "screenshots: $(basename "$piece" .sh) at $((scale * 100)) %"
    QT_SCALE_FACTOR=$scale bash "$piece" "$dir" "$build" || { echo "screenshots: $piece failed" >&2; status=1; }
  done
done
exit $status
