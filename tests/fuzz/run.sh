#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds (default 30 each),
# several at once, and fails when any target finds a crash, a hang, a leak or
# a sanitizer report.
#
#   tests/fuzz/run.sh [--large] [seconds]
#
# --large: the run with a larger work budget, on request only (not in CI): the
# targets pass over fewer big objects (Heegaard numbers up to 512 instead of
# 64, framings up to 400 instead of 48) and an input may take 60 s instead of
# 5 s.
#
# Builds the targets with clang in $SORVELIN_FUZZ_BUILD_DIR (default
# build-fuzz). $SORVELIN_FUZZ_JOBS targets run at once (default: the number
# of cores); $SORVELIN_FUZZ_TARGETS picks some of them (blank-separated).
# New corpus entries go to <build>/fuzz-corpus/<target>, the failing inputs to
# <build>/fuzz-artifacts/<target>, the fuzzers' output to <build>/fuzz-logs.
# A failing input belongs in tests/fuzz/regressions/<target>/ once fixed.
#
# An input that timed out is run again alone before the target counts as
# failed: under machine load the sanitizer's allocator can stall an input
# that otherwise replays in about a second.
set -euo pipefail
cd "$(dirname "$0")/../.."

large=0
if [ "${1:-}" = "--large" ]; then
  large=1
  shift
fi
seconds=${1:-30}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
  echo "usage: tests/fuzz/run.sh [--large] [seconds]   (a positive whole number, not '$seconds')" >&2
  exit 2
fi
build=${SORVELIN_FUZZ_BUILD_DIR:-build-fuzz}
jobs=${SORVELIN_FUZZ_JOBS:-$(nproc)}
all_targets=(cells details facets triangulation dehydrated isosig link heegaard extheegaard
             crystallization document settings cmdline covering commands rawdoc table)
read -r -a targets <<< "${SORVELIN_FUZZ_TARGETS:-${all_targets[*]}}"

timeout=5
if [ "$large" -eq 1 ]; then
  timeout=60
  export SORVELIN_FUZZ_LARGE_BUDGET=1
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSORVELIN_FUZZ=ON > /dev/null
cmake --build "$build"

fuzz_dir=tests/fuzz
mkdir -p "$build/fuzz-logs"

# The longest input of a target: the raw documents test long texts.
max_len() {
  case "$1" in
    rawdoc) echo 65536 ;;
    table) echo 16384 ;;
    *) echo 4096 ;;
  esac
}

run_target() {
  local target=$1
  local corpus="$build/fuzz-corpus/$target" artifacts="$build/fuzz-artifacts/$target"
  local program="$build/tests/fuzz/sorvelin_fuzz_$target"
  mkdir -p "$corpus" "$artifacts"
  # The first corpus collects what this run finds; the seeds stay untouched.
  # A reader must finish a text in well under -timeout seconds; the memory
  # limits catch a reader that allocates without bound.
  local limits=(-timeout="$timeout" -rss_limit_mb=2560 -malloc_limit_mb=2048)
  local status=0
  "$program" "$corpus" "$fuzz_dir/corpus/$target" \
    -dict="$fuzz_dir/dict/$target.dict" -max_total_time="$seconds" "${limits[@]}" \
    -max_len="$(max_len "$target")" -print_final_stats=1 \
    -artifact_prefix="$artifacts/" > "$build/fuzz-logs/$target.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ] && grep -q 'ERROR: libFuzzer: timeout' "$build/fuzz-logs/$target.log"; then
    local input
    input=$(ls -t "$artifacts"/timeout-* 2>/dev/null | head -1)
    if [ -n "$input" ] && "$program" "${limits[@]}" "$input" \
        > "$build/fuzz-logs/$target.rerun.log" 2>&1; then
      echo "$target: $input timed out under load and passes alone" \
        >> "$build/fuzz-logs/$target.log"
      status=0
    fi
  fi
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

# One line per target: its executions, coverage and peak memory from the
# fuzzer's stats.
failed=0
printf '%-16s %12s %8s %8s %8s  %s\n' target executions cov ft rss_mb result
for target in "${targets[@]}"; do
  log="$build/fuzz-logs/$target.log"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  result=ok
  if grep -q 'passes alone' "$log"; then result="ok (a timeout under load passed alone)"; fi
  if [ "${status[$target]}" -ne 0 ]; then
    result="FAILED (see $log and $build/fuzz-artifacts/$target)"
    failed=1
  fi
  printf '%-16s %12s %8s %8s %8s  %s\n' "$target" "${execs:-?}" "${cov:-?}" "${ft:-?}" \
    "${rss:-?}" "$result"
done
for target in "${targets[@]}"; do
  if [ "${status[$target]}" -ne 0 ]; then
    echo "---- $target" >&2
    grep -E -A 30 '^==[0-9]+==|ERROR: libFuzzer|runtime error|fuzz target' \
      "$build/fuzz-logs/$target.log" | head -60 >&2 || tail -40 "$build/fuzz-logs/$target.log" >&2
  fi
done
exit "$failed"
