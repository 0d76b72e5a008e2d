#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs them:
#   scripts/fuzz.sh [SECONDS]                     every target in turn, 20 seconds each by default
#   scripts/fuzz.sh --runs N [--jobs J] [TARGET...]
#                                                 a campaign: N executions a target (N/10 for the
#                                                 engine's whole run), J targets at a time
# Seeds come from the sample projects, the tests' data and fuzz/corpus/ (hand-made edge inputs and
# every input that once failed); what a run discovers is kept in build-fuzz/corpus/, and an
# input that fails is written to build-fuzz/findings/. Prints per target the executions, the
# coverage and the findings; exits non-zero when any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=20
runs=
jobs=1
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    [0-9]*) seconds=$1; shift ;;
    *) targets+=("$1"); shift ;;
  esac
done
build=build-fuzz

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# target  seed folders and files
declare -A seeds=(
  [engine_run]="examples/*.kd3d"
  [names_file]=""
  [project_file]="examples/*.kd3d"
  [word_reader]="examples/*.kd3d app/plot/tests/data"
  [plot_file]="examples/expected/*.kd3p app/plot/tests/data"
  [evaluate]=""
  [numbers]=""
  [definitions]="app/tables/MainTables.txt"
  [rows]=""
)
# The longest input a target is given: a typed entry or a pasted block of rows is short, a data
# or plot file may run to tens of kilobytes.
declare -A max_len=(
  [engine_run]=16384 [names_file]=4096 [project_file]=16384 [word_reader]=16384
  [plot_file]=65536 [evaluate]=1024 [numbers]=1024 [definitions]=16384 [rows]=4096
)
if [ ${#targets[@]} -eq 0 ]; then
  targets=(evaluate numbers definitions rows names_file word_reader plot_file project_file engine_run)
fi
for target in "${targets[@]}"; do
  [ -n "${seeds[$target]+set}" ] || { echo "fuzz: no target $target" >&2; exit 2; }
done

# The readers' targets write each input to a scratch file: a memory file system keeps the disk
# out of the measurement.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
# Allocation and free stacks are recorded 5 calls deep, not 30: recording them is a tenth of the
# time of the readers that build many small tables, and it only shortens the report of a finding.
# A finding's input is run again with full stacks to study it.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:allocator_may_return_null=1:malloc_context_size=5
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$build/findings" "$build/logs"

run_target() {
  local target=$1
  local corpus="$build/corpus/$target" seeddir="$build/seeds/$target"
  rm -rf "$seeddir"
  mkdir -p "$corpus" "$seeddir"
  cp fuzz/corpus/"$target"/* "$seeddir"/ 2>/dev/null || true
  for s in ${seeds[$target]}; do
    if [ -d "$s" ]; then find "$s" -maxdepth 1 -type f -size -256k -exec cp {} "$seeddir"/ \; ;
    elif [ -f "$s" ]; then cp "$s" "$seeddir"/; fi
  done
  local limit=(-max_total_time="$seconds")
  if [ -n "$runs" ]; then
    local n=$runs
    [ "$target" = engine_run ] && n=$((runs / 10))
    limit=(-runs="$n")
  fi
  local extra=()
  [ -f "fuzz/$target.dict" ] && extra=(-dict="fuzz/$target.dict")
  # The engine reports each refused file on stderr; libFuzzer and the sanitizers keep their own.
  [ "$target" = engine_run ] && extra+=(-close_fd_mask=2)
  local log="$build/logs/$target.log"
  if "$build/fuzz/fuzz_$target" "$corpus" "$seeddir" "${extra[@]}" "${limit[@]}" \
      -timeout=10 -rss_limit_mb=4096 -max_len="${max_len[$target]}" \
      -artifact_prefix="$build/findings/$target-" -print_final_stats=1 >"$log" 2>&1; then
    echo none >"$log.result"
  else
    echo "FAILED (see $log)" >"$log.result"
  fi
}

for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_target "$target" &
done
wait

failed=0
printf '%-14s %12s %8s %8s %8s  %s\n' target executions seconds cov features findings
for target in "${targets[@]}"; do
  log="$build/logs/$target.log"
  finding=$(cat "$log.result" 2>/dev/null || echo "FAILED (no result)")
  [ "$finding" = none ] || failed=1
  n=$(grep -a -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1 || true)
  time=$(grep -a -o 'Done [0-9]* runs in [0-9]* second' "$log" | grep -o 'in [0-9]*' | grep -o '[0-9]*' || true)
  cov=$(grep -a -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
  ft=$(grep -a -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
  printf '%-14s %12s %8s %8s %8s  %s\n' "$target" "${n:-?}" "${time:-$seconds}" "${cov:-?}" "${ft:-?}" "$finding"
done
if [ "$failed" -ne 0 ]; then
  echo "fuzz: a target failed; its input is in $build/findings/" >&2
  for target in "${targets[@]}"; do
    log="$build/logs/$target.log"
    if grep -a -q -E 'ERROR: |fuzz property failed|deadly signal|timeout' "$log"; then
      echo "== $log"; grep -a -m 20 -E 'ERROR|SUMMARY|property failed|#[0-9]+ 0x' "$log" || true
    fi
  done
fi
exit $failed
