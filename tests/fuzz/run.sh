#!/usr/bin/env bash
# Runs every fuzz target of the document readers for the given number of
# seconds (default 30 each), several at once, and fails when any target finds
# a crash, a hang, a leak or a sanitizer report.
#
#   tests/fuzz/run.sh [seconds]
#
# Builds the targets with clang in $SORVELIN_FUZZ_BUILD_DIR (default
# build-fuzz). $SORVELIN_FUZZ_JOBS targets run at once (default: the number
# of cores); $SORVELIN_FUZZ_TARGETS picks some of them (blank-separated).
# New corpus entries go to <build>/fuzz-corpus/<target>, the failing inputs to
# <build>/fuzz-artifacts/<target>, the fuzzers' output to <build>/fuzz-logs.
# A failing input belongs in tests/fuzz/regressions/<target>/ once fixed.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-30}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
  echo "usage: tests/fuzz/run.sh [seconds]   (a positive whole number, not '$seconds')" >&2
  exit 2
fi
build=${SORVELIN_FUZZ_BUILD_DIR:-build-fuzz}
jobs=${SORVELIN_FUZZ_JOBS:-$(nproc)}
all_targets=(cells details facets triangulation dehydrated isosig link heegaard extheegaard
             crystallization document)
read -r -a targets <<< "${SORVELIN_FUZZ_TARGETS:-${all_targets[*]}}"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSORVELIN_FUZZ=ON > /dev/null
cmake --build "$build"

fuzz_dir=tests/fuzz
mkdir -p "$build/fuzz-logs"

run_target() {
  local target=$1
  local corpus="$build/fuzz-corpus/$target" artifacts="$build/fuzz-artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  # The first corpus collects what this run finds; the seeds stay untouched.
  # A reader must finish a text in well under -timeout seconds; the memory
  # limits catch a reader that allocates without bound.
  "$build/tests/fuzz/sorvelin_fuzz_$target" "$corpus" "$fuzz_dir/corpus/$target" \
    -dict="$fuzz_dir/dict/$target.dict" -max_total_time="$seconds" -timeout=5 \
    -rss_limit_mb=2560 -malloc_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" > "$build/fuzz-logs/$target.log" 2>&1 && status=0 || status=$?
  echo "$status" > "$build/fuzz-logs/$target.status"
}

# Starts the targets, at most $jobs at a time; each records its exit status.
for target in "${targets[@]}"; do
  if [ ! -x "$build/tests/fuzz/sorvelin_fuzz_$target" ]; then
    echo "no fuzz target named '$target'" >&2
    exit 2
  fi
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  rm -f "$build/fuzz-logs/$target.status"
  run_target "$target" &
done
wait
declare -A status
for target in "${targets[@]}"; do
  status[$target]=$(cat "$build/fuzz-logs/$target.status" 2>/dev/null || echo 1)
done

# One line per target: its executions and coverage from the fuzzer's stats.
failed=0
printf '%-16s %12s %8s %8s  %s\n' target executions cov ft result
for target in "${targets[@]}"; do
  log="$build/fuzz-logs/$target.log"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  result=ok
  if [ "${status[$target]}" -ne 0 ]; then
    result="FAILED (see $log and $build/fuzz-artifacts/$target)"
    failed=1
  fi
  printf '%-16s %12s %8s %8s  %s\n' "$target" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$result"
done
for target in "${targets[@]}"; do
  if [ "${status[$target]}" -ne 0 ]; then
    echo "---- $target" >&2
    grep -E -A 30 '^==[0-9]+==|ERROR: libFuzzer|runtime error|fuzz target' \
      "$build/fuzz-logs/$target.log" | head -60 >&2 || tail -40 "$build/fuzz-logs/$target.log" >&2
  fi
done
exit "$failed"
