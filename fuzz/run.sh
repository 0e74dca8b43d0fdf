#!/usr/bin/env bash
# Runs the fuzz target for the given seconds from the seeds in fuzz/corpus/fuzz_command_line; new
# inputs go to <build-dir>/fuzz-runs/fuzz_command_line/, never into the seeds. A crash, a failed
# property, a sanitizer report or a hang (one input taking 10 s) fails the run and keeps the input
# there as crash-* or timeout-*, to be added to the seeds.
# Usage: fuzz/run.sh <build-dir> <seconds>
set -euo pipefail
target=fuzz_command_line
work="$1/fuzz-runs/$target"
mkdir -p "$work/corpus"
"$1/fuzz/$target" -max_total_time="$2" -timeout=10 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" "$(dirname "$0")/corpus/$target" >"$work/log" 2>&1 ||
    { tail -n 60 "$work/log"; echo "== $target: FINDING, input kept in $work/" >&2; exit 1; }
grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$work/log"
