#!/usr/bin/env bash
# Builds the Debian package (reusing the normal build in build/) and checks it: lintian, then from
# the files of the unpacked package alone: keldar-run's report of an example against the expected
# one, the program started on an example (offscreen), the Python module, the man pages, and the
# desktop's choice of the program for a .kd3d file in a private XDG data folder.
#   bash scripts/test-package.sh [PACKAGE.deb]   (a package given is checked as it is)
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "test-package: $*" >&2; exit 1; }

echo "== Debian package"
if [ $# -gt 0 ]; then
  deb=$(realpath "$1")
else
  deb=$(bash scripts/package.sh --out "$work" | tail -n 1)
fi
echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) KiB"
dpkg-deb --field "$deb" Version Depends
version=$(dpkg-deb --field "$deb" Version)
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb"

tree=$work/tree
dpkg-deb -x "$deb" "$tree"
usr=$tree/usr
doc=$usr/share/doc/keldar
app_id=$(basename "$usr"/share/applications/*.desktop .desktop)

echo "== keldar-run on an example, report and plot data as expected"
cmake -DRUNNER="$usr/bin/keldar-run" -DEXAMPLE=steel-pipe-clay -DEXAMPLES="$doc/examples" \
      -DWORK="$work/run" -P "$doc/examples/RunAndCompare.cmake"
# One release version: the package's, the tools' and the Python module's.
for tool in keldar-run keldar-convert keldar-cpt; do
  [ "$("$usr/bin/$tool" --version)" = "$tool (KELDAR) $version" ] ||
    fail "$tool --version does not show $version"
done

echo "== The program opens an example given on its command line"
# Opening a file as Open does puts it at the head of the recent files in the settings; the
# program is stopped once they show it (30 s at most).
mkdir -p "$work/home" "$work/gui" "$work/runtime"
chmod 700 "$work/runtime"
cp "$doc/examples/steel-pipe-clay.kd3d" "$work/gui/pile.kd3d"
settings=$work/home/.config/Morvel/KELDAR.conf
opened() { grep -qx "File1=$work/gui/pile.kd3d" "$settings" 2>/dev/null; }
(cd "$work" && exec env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
   XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
   "$usr/bin/KELDAR2014" "$work/gui/pile.kd3d" 2>/dev/null) &
gui=$!
for _ in $(seq 60); do
  if opened || ! kill -0 "$gui" 2>/dev/null; then break; fi
  sleep 0.5
done
kill -0 "$gui" 2>/dev/null || fail "the program ended before it was stopped"
kill "$gui"
wait "$gui" || true
opened || fail "the program did not open $work/gui/pile.kd3d"

echo "== Python module"
PYTHONPATH="$usr/lib/python3/dist-packages" /usr/bin/python3 - "$tree" "$work/gui/pile.kd3d" \
  "$version" <<'PY'
import sys
import keldar
assert keldar.__file__.startswith(sys.argv[1]), keldar.__file__
assert keldar.__version__ == sys.argv[3], keldar.__version__
rows = keldar.load(sys.argv[2]).run()["load_settlement"]["rows"]
assert rows, "no load-settlement rows"
print("keldar", keldar.__version__, "from", keldar.__file__, "-", len(rows), "load-settlement rows")
PY

echo "== keldar-study on the example grid"
study_out=$work/study
mkdir -p "$study_out"
[ "$(PYTHONPATH="$usr/lib/python3/dist-packages" "$usr/bin/keldar-study" --version)" = \
  "keldar-study (KELDAR) $version" ] || fail "keldar-study --version does not show $version"
PYTHONPATH="$usr/lib/python3/dist-packages" "$usr/bin/keldar-study" --quiet \
  "$doc/examples/scripting/pile-length.toml" --out "$study_out/pile-length.csv" \
  --plots "$study_out/plots" >/dev/null || fail "keldar-study did not run the example grid"

echo "== Man pages, desktop entry, AppStream data"
for page in "$usr"/share/man/man1/*.1.gz; do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done
desktop-file-validate "$usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml"

echo "== The desktop opens a .kd3d file with the program"
data=$work/xdg-data
mkdir -p "$data" "$work/xdg-config"
cp -r "$usr/share/mime" "$usr/share/applications" "$usr/share/icons" "$data/"
XDG_DATA_DIRS="$data" update-mime-database "$data/mime"
update-desktop-database "$data/applications"
type=$(sed -n 's/^[0-9]*:\([^:]*\):\*\.kd3d$/\1/p' "$data/mime/globs2")
[ -n "$type" ] || fail "no MIME type for *.kd3d"
default=$(env -i PATH="$PATH" HOME="$work/home" XDG_DATA_HOME="$data" XDG_DATA_DIRS="$data" \
            XDG_CONFIG_HOME="$work/home/.config" XDG_CONFIG_DIRS="$work/xdg-config" \
            xdg-mime query default "$type")
[ "$default" = "$app_id.desktop" ] || fail "$type opens with '$default', not $app_id.desktop"
echo "*.kd3d: $type, opened by $default"
echo "test-package: all checks passed"
