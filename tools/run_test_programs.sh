#!/usr/bin/env bash
# Runs every test program of a build once as one process, all its tests in
# turn (ctest runs each test in a process of its own, which hides a test that
# leaves process-wide state behind for the next). The census programs
# (sorvelin_slow_tests_*) are left out, as in the default test run. Each runs
# in the build folder, as ctest runs them (some write work files there).
#
#   tools/run_test_programs.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
passed=0
failed=0
failures=()
while IFS= read -r program; do
  log=$(mktemp)
  if (cd "$build" && QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$program" --gtest_brief=1) > "$log" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failures+=("$program")
    echo "---- $program failed as one process:" >&2
    tail -40 "$log" >&2
  fi
  rm -f "$log"
done < <(find "$(cd "$build" && pwd)" -type f -perm -u+x -name 'sorvelin_tests_*' | sort)
echo "one-process: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
