#!/usr/bin/env bash
# Cross-builds the engine library KELDAR2014_DLL.dll, keldar-run.exe and the engine's tests for
# Windows with Debian's mingw-w64: 64-bit into build-win64/, 32-bit into build-win32/. Extra
# arguments go to CMake's configure step; KELDAR_WINDOWS_TARGETS="win64" builds only one.
# The GUI and keldar-convert.exe are not built: they need Qt, and Debian has no Qt for mingw-w64.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "build-windows: keldar-convert.exe and the GUI are not built: they need Qt 6, and" \
     "Debian 12 packages no Qt for mingw-w64."
for target in ${KELDAR_WINDOWS_TARGETS:-win64 win32}; do
  case "$target" in
    win64 | win32) ;;
    *) echo "build-windows: unknown target $target (win64 or win32)" >&2; exit 2 ;;
  esac
  echo "== Windows build ($target) in build-$target/"
  cmake --preset "windows-$target" "$@" >/dev/null
  cmake --build --preset "windows-$target"
done
