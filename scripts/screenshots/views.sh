#!/usr/bin/env bash
# Soil profile view (one layer; a pile longer than the profile; its printed page) and the
# export dialog (before and after a run): views.sh OUTDIR BUILDDIR
set -euo pipefail
grabber="$2/app/views/tests/keldar-grab-views"
if [ ! -x "$grabber" ]; then
  echo "views.sh: $grabber not built" >&2
  exit 1
fi
"$grabber" "$1"
