#!/usr/bin/env bash
# The table editors: the soil layers with a layer's data, a t-z curve with its chart, the
# modification factors and the pile-head loads. Usage: tables.sh OUTDIR BUILDDIR
set -euo pipefail
grabber="$2/app/tables/window/keldar_table_screens"
if [ ! -x "$grabber" ]; then
  echo "tables.sh: $grabber is not built" >&2
  exit 1
fi
"$grabber" "$1"
