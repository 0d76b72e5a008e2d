#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each in turn:
#   scripts/fuzz.sh [SECONDS]      (20 seconds a target by default)
# Seeds come from the sample projects, the tests' data and fuzz/corpus/ (hand-made edge inputs and
# every input that once failed); what a run discovers is kept in build-fuzz/corpus/, and an
# input that fails is written to build-fuzz/findings/. Prints per target the executions, the
# coverage and the findings; exits non-zero when any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DKELDAR_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target keldar_fuzzers

# target  seed folders and files
declare -A seeds=(
  [engine_run]="examples/*.kd3d"
  [names_file]=""
  [project_file]="examples/*.kd3d"
  [word_reader]="examples/*.kd3d app/plot/tests/data"
  [plot_file]="examples/expected/*.kd3p app/plot/tests/data"
  [evaluate]=""
  [numbers]=""
  [definitions]="app/entry/tables/MainTables.txt"
  [rows]=""
)
order=(evaluate numbers definitions rows names_file word_reader plot_file project_file engine_run)

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$build/findings" "$build/logs"
failed=0
printf '%-14s %12s %8s %8s  %s\n' target executions cov features findings
for target in "${order[@]}"; do
  corpus="$build/corpus/$target"
  seeddir="$build/seeds/$target"
  rm -rf "$seeddir"
  mkdir -p "$corpus" "$seeddir"
  cp fuzz/corpus/"$target"/* "$seeddir"/ 2>/dev/null || true
  for s in ${seeds[$target]}; do
    if [ -d "$s" ]; then find "$s" -maxdepth 1 -type f -size -256k -exec cp {} "$seeddir"/ \; ;
    elif [ -f "$s" ]; then cp "$s" "$seeddir"/; fi
  done
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  log="$build/logs/$target.log"
  if "$build/fuzz/fuzz_$target" "$corpus" "$seeddir" "${dict[@]}" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=65536 \
      -artifact_prefix="$build/findings/$target-" -print_final_stats=1 >"$log" 2>&1; then
    finding=none
  else
    finding="FAILED (see $log)"
    failed=1
  fi
  runs=$(grep -a -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1 || true)
  cov=$(grep -a -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
  ft=$(grep -a -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
  printf '%-14s %12s %8s %8s  %s\n' "$target" "${runs:-?}" "${cov:-?}" "${ft:-?}" "$finding"
done
if [ "$failed" -ne 0 ]; then
  echo "fuzz: a target failed; its input is in $build/findings/" >&2
  for log in "$build"/logs/*.log; do
    if grep -a -q -E 'ERROR: |fuzz property failed|deadly signal|timeout' "$log"; then
      echo "== $log"; grep -a -m 20 -E 'ERROR|SUMMARY|property failed|#[0-9]+ 0x' "$log" || true
    fi
  done
fi
exit $failed
