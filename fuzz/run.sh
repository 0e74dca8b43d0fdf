#!/usr/bin/env bash
# Runs the fuzz target for the given seconds from the seeds in fuzz/corpus/fuzz_command_line. New
# inputs go to <build-dir>/fuzz-runs/fuzz_command_line/, never into the seeds. A crash, a failed
# property, a sanitizer report or a hang fails the run; the input is kept there as crash-* (or
# timeout-*) to be added to the seeds.
# Usage: fuzz/run.sh <build-dir> <seconds>
set -euo pipefail
build=$(cd "${1:?usage: $0 <build-dir> <seconds>}" && pwd)
seconds=${2:?usage: $0 <build-dir> <seconds>}
target=fuzz_command_line
seeds="$(cd "$(dirname "$0")" && pwd)/corpus/$target"
work="$build/fuzz-runs/$target"
mkdir -p "$work/corpus"
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

echo "== $target: $seconds s"
# One process; a single input taking 10 s counts as a hang.
if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$seeds" >"$work/log" 2>&1; then
  tail -n 60 "$work/log"
  echo "== $target: FINDING, input kept in $work/" >&2
  exit 1
fi
grep -E '^#[0-9]+|^stat::(number_of_executed_units|average_exec_per_sec)' "$work/log" | tail -n 3
