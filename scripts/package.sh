#!/usr/bin/env bash
# Builds the Debian package keldar_<version>_<arch>.deb from the normal build in build/ (built or
# brought up to date first; extra arguments go to CMake's configure step) with CPack. The package
# is written to OUTDIR (default: the repository's top folder):
#   bash scripts/package.sh [--out OUTDIR] [CMAKE-ARGS ...]
set -euo pipefail
cd "$(dirname "$0")/.."

out=$PWD
if [ "${1:-}" = "--out" ]; then
  out=$(realpath "$2")
  shift 2
fi
mkdir -p "$out"

bash scripts/build.sh "$@"
# CPack stages the install under build/_CPack_Packages; dpkg-shlibdeps derives the dependencies.
cpack --config build/CPackConfig.cmake -B build/package >build/package.log 2>&1 ||
  { cat build/package.log >&2; exit 1; }
deb=$(ls -t build/package/keldar_*.deb | head -n 1)
mv -f "$deb" "$out/"
echo "$out/$(basename "$deb")"
