#!/usr/bin/env bash
# Robustness test of the whole program: scripts/gui-monkey.sh SECONDS [BUILDDIR]
#
# Drives the real program (BUILDDIR/bin/KELDAR2014, BUILDDIR defaults to build/) for SECONDS with
# random but valid user actions on copies of every example in a scratch folder: menu commands
# through their access keys, tool buttons, clicks and typing into cells and fields (numbers,
# expressions, garbage), unit switches, opening and closing windows, Run Analysis, answering
# message boxes and file dialogs. It runs on its own X server (Xvfb on a free display), so it
# needs no display. Meant for the sanitizer build (build-asan, -DKELDAR_SANITIZE=ON).
#
# Fails on a crash, a sanitizer report, a hang (no event handled for 20 s) or any file written
# outside the scratch folder (watched: the repository, the build folder, /tmp and the user's
# .config, .local and .cache; KELDAR_MONKEY_WATCH=DIR:DIR... replaces that list). Prints the
# seed, the number of input events and commands and the seconds; KELDAR_MONKEY_SEED=N replays
# the choices of an earlier run. A failing run keeps its scratch folder (logs, a screenshot).
# KELDAR_MONKEY_KEEP_GOING=1 (for long campaigns) records a fault, starts the program again and
# goes on; KELDAR_MONKEY_WRAPPER="gdb -batch -ex run -ex bt --args" runs the program under a
# debugger (with a debugger's absolute path: the program's PATH holds only stand-ins).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || [ $# -gt 2 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/gui-monkey.sh SECONDS [BUILDDIR]" >&2
  exit 2
fi
seconds=$1
build=$(realpath -m "${2:-build}")
repo=$(pwd)

for tool in Xvfb xdotool find timeout; do
  command -v "$tool" >/dev/null || { echo "gui-monkey: $tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done
/usr/bin/python3 -c "import Xlib" 2>/dev/null ||
  { echo "gui-monkey: python3-xlib is missing (scripts/install-deps.sh)" >&2; exit 2; }

watch=${KELDAR_MONKEY_WATCH:-$repo:$build:/tmp:$HOME/.config:$HOME/.local:$HOME/.cache}
options=()
if [ -n "${KELDAR_MONKEY_SEED:-}" ]; then
  options+=(--seed "$KELDAR_MONKEY_SEED")
fi
if [ -n "${KELDAR_MONKEY_KEEP_GOING:-}" ]; then
  options+=(--keep-going)
fi
# The monkey stops itself after SECONDS; the outer limit only guards against the monkey hanging
# (start-up, closing and the last checks take well under three minutes).
PYTHONDONTWRITEBYTECODE=1 exec timeout --kill-after=20 $((seconds + 240)) \
  /usr/bin/python3 scripts/gui-monkey.py "$seconds" "$build" --repo "$repo" --watch "$watch" "${options[@]}"
