#!/usr/bin/env bash
# make fuzz: runs every build/fuzz/fuzz_* for FUZZ_SECONDS (default 60) under
# ASan and UBSan, one after another, and ends with one line:
#   FUZZ: <passed> passed, <failed> failed
# A crash, a sanitizer report, a leak, an input that runs longer than
# FUZZ_TIMEOUT seconds (default 10) or a memory use past 2 GB fails the target.
# Each target grows its corpus in build/fuzz/corpus/<target>/ (kept between
# runs, seeded from tests/fuzz/seeds/<target>/); the input that broke it is
# kept in build/fuzz/findings/, its full output in build/fuzz/logs/.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${MS_BUILD:-$PWD/build}/fuzz
seconds=${FUZZ_SECONDS:-60}
per_input=${FUZZ_TIMEOUT:-10}

shopt -s nullglob
targets=()
for exe in "$build"/fuzz_*; do [ -f "$exe" ] && [ -x "$exe" ] && targets+=("$exe"); done
[ ${#targets[@]} -gt 0 ] || { echo "fuzz: no fuzz targets built in $build (make fuzz)"; exit 1; }

mkdir -p "$build/logs" "$build/findings"
# A report ends the run at once, with where it happened.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

passed=0 failed=0
for exe in "${targets[@]}"; do
  name=${exe##*/fuzz_}
  corpus=$build/corpus/$name log=$build/logs/$name.log
  mkdir -p "$corpus"
  seeds=()
  [ -d "tests/fuzz/seeds/$name" ] && seeds=("tests/fuzz/seeds/$name")
  echo "== fuzz_$name: $seconds s"
  # The outer limit catches a hang the fuzzer itself cannot report. The value
  # profile rewards inputs that bring a comparison's operands closer: without
  # it, a bound off by one (a key code of 255 let in) goes unfound.
  timeout -k 10 $((seconds + per_input + 60)) "$exe" -max_total_time="$seconds" -timeout="$per_input" \
    -use_value_profile=1 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$name-" \
    "$corpus" "${seeds[@]}" </dev/null >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$log" | tail -n1)
  if [ "$rc" -eq 0 ]; then
    echo "PASS fuzz_$name: ${runs:-?} inputs, $cov"
    passed=$((passed + 1))
  else
    echo "FAIL fuzz_$name: exit code $rc after ${runs:-?} inputs (full output: $log)"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz:)|runtime error|ALARM|out-of-memory|Test unit written' "$log" | head -n 10
    failed=$((failed + 1))
  fi
done
echo "FUZZ: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
