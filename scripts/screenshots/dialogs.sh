#!/usr/bin/env bash
# The data windows, the About box and the help window: dialogs.sh OUTDIR BUILDDIR
# (scripts/screenshots.sh sets the platform and the scale factor).
set -euo pipefail
cd "$(dirname "$0")/../.."
out=$1
build=$2
grabber="$build/app/main/keldar-grab-dialogs"
if [ ! -x "$grabber" ]; then
  echo "dialogs.sh: $grabber is not built (cmake --build $build --target keldar-grab-dialogs)" >&2
  exit 1
fi
mkdir -p "$out"
"$grabber" "$out" examples/steel-pipe-clay.kd3d
