#!/usr/bin/env bash
# make bench: every build/win64/bench_*.exe under wine64 on a private
# 1920x1080x24 display, one after another, with their output as they print it.
# Benchmarks report ratios; none of them fails the run for being slow.
set -uo pipefail
cd "$(dirname "$0")/.."
source tests/e2e/lib.sh

shopt -s nullglob
benches=("$MS_BUILD"/win64/bench_*.exe)
[ ${#benches[@]} -gt 0 ] || { echo "bench: no benchmarks built in $MS_BUILD/win64"; exit 0; }

start_display 1920x1080x24 || exit 1
ensure_prefix || exit 1
start_wineserver

status=0
for exe in "${benches[@]}"; do
  echo "== $(basename "$exe" .exe)"
  mkdir -p "$MS_WORK/run" && cd "$MS_WORK/run"
  # Through a file, not a pipe: Wine's background processes may keep a pipe open.
  timeout -k 10 900 "$WINE" "$exe" </dev/null >"$MS_WORK/bench.out" 2>&1 || {
    echo "bench: $(basename "$exe") exited with code $?"; status=1; }
  tr -d '\r' <"$MS_WORK/bench.out"
  cd - >/dev/null
done
exit $status
