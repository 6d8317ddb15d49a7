#!/usr/bin/env bash
# Start-up, measured from outside: from the moment the program is started
# until its main window is mapped and shows its settled picture (read back
# from the X server by bench/start_to_paint.c) and its hotkeys are registered
# (the "hotkeys" line of its MS_STARTUP_TRACE file, on the same wall clock);
# against build/win64/bare_start.exe, a bare window of the main window's size
# that registers one hotkey and paints once. Then the split of our start-up
# (the trace's phases, medians) and the CPU each uses while it sits idle after
# start. Wine's desktop process is kept up through the starts (see below), as
# a Windows shell is. Run by scripts/bench.sh on its display (MS_E2E_SHARED=1)
# or alone; prints figures, never fails for them.
set -uo pipefail
source "$(dirname "$0")/../tests/e2e/lib.sh"

SAMPLES=${MS_BENCH_START_SAMPLES:-9}
IDLE_SECONDS=${MS_BENCH_IDLE_CPU_SECONDS:-10}
SETTLE_MS=1500   # the window is settled by then: what it shows at the end is the painted window
TOOL=$MS_BUILD/bench-tools/start_to_paint
SRC=$MS_ROOT/bench/start_to_paint.c
if [ ! -x "$TOOL" ] || [ "$SRC" -nt "$TOOL" ] || [ "$MS_ROOT/bench/x_window_tools.h" -nt "$TOOL" ]; then
  mkdir -p "$(dirname "$TOOL")"
  cc -O2 -Wall -Wextra -o "$TOOL" "$SRC" -lX11 -lXext || { echo "bench: cannot build $TOOL"; exit 1; }
fi
OURS=$MS_BUILD/win64/MorrowenSnip.exe
FLOOR=$MS_BUILD/win64/bare_start.exe
start_display || exit 1
ensure_prefix || exit 1
start_wineserver

# prepare EXE [FILE...]: a fresh folder holding EXE as MorrowenSnip.exe, the
# pictures drawn with it and FILEs; prints the folder.
prepare() {
  local exe=$1 dir; shift
  dir=$(mktemp -d "$MS_WORK/start.XXXX")
  cp "$exe" "$dir/MorrowenSnip.exe"
  if [ "$exe" = "$OURS" ]; then mkdir -p "$dir/pictures" && cp "$(dirname "$exe")"/pictures/* "$dir/pictures/"; fi
  [ $# -eq 0 ] || cp "$@" "$dir/"
  echo "$dir"
}

stop_pid() {
  kill "$1" 2>/dev/null
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$1" 2>/dev/null
}

# sample EXE TITLE [FILE...]: one start; prints "TOTAL MAP PAINTED HOTKEYS"
# in ms from the start, then the trace's phases as "phase=ms" words.
sample() {
  local exe=$1 title=$2 dir out pid t0 map painted hk total; shift 2
  dir=$(prepare "$exe" "$@")
  # Through a file, not a pipe: the started program must not hold our output open.
  (cd "$dir" && MS_STARTUP_TRACE=$(windows_path "$dir/trace.txt") \
    "$TOOL" "$title" "$SETTLE_MS" 30 -- "$WINE" ./MorrowenSnip.exe) </dev/null >"$dir/times.txt" 2>/dev/null
  out=$(cat "$dir/times.txt")
  read -r pid t0 map painted <<<"$out"
  [ -n "${pid:-}" ] && MS_PIDS+=("$pid") && stop_pid "$pid"
  [ "${map:--1}" != -1 ] || return 1
  hk=$(awk -v t0="$t0" '$1 == "hotkeys" { printf "%.2f", ($2 - t0) / 1000; exit }' "$dir/trace.txt" 2>/dev/null)
  [ -n "$hk" ] || return 1
  total=$(awk -v p="$painted" -v h="$hk" 'BEGIN { printf "%.2f", (p > h ? p : h) }')
  echo "$total $map $painted $hk $(awk -v t0="$t0" '{ printf "%s=%.1f ", $1, ($2 - t0) / 1000 }' "$dir/trace.txt")"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'; }
spread() { sort -n | awk 'NR == 1 { lo = $1 } { hi = $1 } END { if (NR) printf "%s..%s", lo, hi }'; }

# Wine's desktop process stays up through the starts, as a Windows shell does:
# without it, each start also starts the desktop and shares the machine with it.
"$WINE" "$MS_BUILD/win64/desktop_keeper.exe" </dev/null >/dev/null 2>&1 &
keeper=$!
MS_PIDS+=("$keeper")
sleep 2

ours=() floor=() lines=() flines=()
for ((i = 0; i < SAMPLES; i++)); do
  if s=$(sample "$OURS" "Morrowen Snip" "$MS_ROOT/assets/a.ini"); then ours+=("${s%% *}"); lines+=("$s"); fi
  if s=$(sample "$FLOOR" "Bare start"); then floor+=("${s%% *}"); flines+=("$s"); fi
done

echo "start-up to main window painted and hotkeys registered, median of ${#ours[@]} / ${#floor[@]} starts"
echo "  ours (ms):  ${ours[*]:-none}"
echo "  floor (ms): ${floor[*]:-none}"
if [ ${#ours[@]} -eq 0 ] || [ ${#floor[@]} -eq 0 ]; then
  echo "  no ratio: a program did not map its window"
  exit 1
fi
o=$(printf '%s\n' "${ours[@]}" | median)
f=$(printf '%s\n' "${floor[@]}" | median)
r=$(awk -v o="$o" -v f="$f" 'BEGIN { printf "%.2f", (f > 0 ? o / f : 0) }')
echo "  ours $o ms ($(printf '%s\n' "${ours[@]}" | spread)), floor $f ms ($(printf '%s\n' "${floor[@]}" | spread)), ratio $r (target <= 1.2)"
# The phases: the median of each mark, in ms from the start.
phases() {
  awk '{ print "map=" $2; print "painted(outside)=" $3; for (i = 5; i <= NF; ++i) print $i }' |
    awk -F= '{ if (!($1 in seen)) { order[++n] = $1; seen[$1] = 1 } v[$1] = v[$1] " " $2 }
      END { for (i = 1; i <= n; ++i) print order[i] "|" v[order[i]] }' |
    while IFS='|' read -r phase values; do
      printf '    %-18s %8s\n' "$phase" "$(tr ' ' '\n' <<<"$values" | grep . | median)"
    done
}
echo "  our phases (median ms from the start; map and painted seen from outside, the rest from the trace):"
printf '%s\n' "${lines[@]}" | phases
echo "  the floor's phases:"
printf '%s\n' "${flines[@]}" | phases
echo "@ start-up to main window painted (ms)|$o|$f|$r|<= 1.2"
stop_pid "$keeper"

# idle EXE TITLE [FILE...]: the CPU (% of a core) the process uses over
# IDLE_SECONDS once its start-up has ended: its window up for 11 s, past the
# one news fetch (800 ms after start, given up after 10 s).
idle() {
  local exe=$1 title=$2 dir pid a b hz; shift 2
  dir=$(prepare "$exe" "$@")
  (cd "$dir" && exec "$WINE" ./MorrowenSnip.exe) </dev/null >/dev/null 2>&1 &
  pid=$!
  MS_PIDS+=("$pid")
  wait_window "$title" 30 >/dev/null || { stop_pid "$pid"; return 1; }
  sleep 11
  hz=$(getconf CLK_TCK)
  a=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  sleep "$IDLE_SECONDS"
  b=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  stop_pid "$pid"
  awk -v a="$a" -v b="$b" -v hz="$hz" -v s="$IDLE_SECONDS" 'BEGIN { printf "%.2f", (b - a) / hz / s * 100 }'
}

io=$(idle "$OURS" "Morrowen Snip" "$MS_ROOT/assets/a.ini") || io=""
fi_=$(idle "$FLOOR" "Bare start") || fi_=""
echo "idle CPU over ${IDLE_SECONDS} s, 11 s after the window showed: ours ${io:-?} %, floor ${fi_:-?} % of a core"
echo "@ idle CPU after start (% of a core)|${io:-?}|${fi_:-?}|-|0"
