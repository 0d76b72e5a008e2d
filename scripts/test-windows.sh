#!/usr/bin/env bash
# Builds the Windows engine library, tools and tests (scripts/build-windows.sh, warnings as
# errors) and runs every Windows check: the libraries' export tables, and under Wine the engine
# tests, keldar-run.exe and the entry point called as the GUI calls it, whose reports and plot
# files must equal the expected ones. 32-bit programs need Wine's 32-bit part (wine32:i386);
# without it the 32-bit library is still built and its export table checked.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build-windows.sh -DKELDAR_WERROR=ON

# Each build folder's Wine session ends with this script.
stop_wine() {
  for target in win64 win32; do
    if [ -d "build-$target/wineprefix" ]; then
      WINEPREFIX="$PWD/build-$target/wineprefix" wineserver -k 2>/dev/null || true
    fi
  done
}
trap stop_wine EXIT

for target in win64 win32; do
  echo "== Windows tests ($target) under Wine"
  if [ "$target" = win32 ] && ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null |
       grep -q "install ok installed"; then
    echo "test-windows: wine32:i386 is not installed: only the 32-bit export table is checked"
    ctest --test-dir "build-$target" --output-on-failure -R '^engine_library_exports$'
    continue
  fi
  "build-$target/wine-run" --prefix
  # Under load Wine now and then fails to start a program at all ("ShellExecuteEx failed:
  # Internal error") before any of its code runs: such a test gets one more start. A test that
  # fails in its own code fails twice and still fails the run.
  ctest --test-dir "build-$target" --output-on-failure -j2 --repeat until-pass:2
done
