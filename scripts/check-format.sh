#!/usr/bin/env bash
# Checks that every C++ file in the repository is laid out as .clang-format says, so that a diff
# only ever shows real changes: scripts/check-format.sh [--fix]
# Lists the files that differ and fails; --fix rewrites them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."

fix=0
case "${1:-}" in
  --fix) fix=1 ;;
  "") ;;
  *) echo "usage: scripts/check-format.sh [--fix]" >&2; exit 2 ;;
esac
command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed" >&2; exit 2; }

mapfile -t files < <(git ls-files -- '*.cpp' '*.h' '*.cpp.in')
differ=()
for f in "${files[@]}"; do
  if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
    differ+=("$f")
  fi
done

if [ ${#differ[@]} -eq 0 ]; then
  echo "check-format: ${#files[@]} files as .clang-format lays them out"
  exit 0
fi
if [ $fix -eq 1 ]; then
  clang-format -i "${differ[@]}"
  echo "check-format: reformatted ${#differ[@]} files"
  exit 0
fi
printf 'check-format: not as .clang-format lays it out: %s\n' "${differ[@]}" >&2
echo "check-format: ${#differ[@]} of ${#files[@]} files differ; scripts/check-format.sh --fix rewrites them" >&2
exit 1
