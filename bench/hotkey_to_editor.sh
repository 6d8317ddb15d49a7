#!/usr/bin/env bash
# Hotkey to editor, measured from outside: Alt+Q sent with XTest to the
# focused main window, and the time until the editor's X window is mapped;
# against build/win64/minimal_snip.exe, which only captures and shows on the
# same hotkey path. Each sample is a fresh start of the program. Run by
# scripts/bench.sh on its display (MS_E2E_SHARED=1); prints figures, never fails
# for them.
set -uo pipefail
source "$(dirname "$0")/../tests/e2e/lib.sh"

SAMPLES=${MS_BENCH_HOTKEY_SAMPLES:-9}
TOOL=$MS_BUILD/bench-tools/key_to_map
SRC=$MS_ROOT/bench/key_to_map.c
if [ ! -x "$TOOL" ] || [ "$SRC" -nt "$TOOL" ]; then
  mkdir -p "$(dirname "$TOOL")"
  cc -O2 -Wall -Wextra -o "$TOOL" "$SRC" -lX11 -lXtst || { echo "bench: cannot build $TOOL"; exit 1; }
fi
start_display || exit 1
ensure_prefix || exit 1
start_wineserver

# sample EXE MAIN_TITLE CLICK_X CLICK_Y EDITOR_TITLE [FILE...]: one start of
# EXE, a click on its main window (a hotkey reaches a program only while one
# of its windows has the focus), Alt+Q; prints the milliseconds to the map.
sample() {
  local exe=$1 main=$2 x=$3 y=$4 editor=$5 wid ms; shift 5
  MS_EXE=$exe start_program "$@" || return 1
  if wid=$(wait_window "$main" 30); then
    sleep 0.5                     # the program's hotkey loop starts 10 ms after its window
    click_window "$wid" "$x" "$y"
    sleep 0.2
    ms=$("$TOOL" "$editor" alt+q 10)
  fi
  kill "$PROGRAM_PID" 2>/dev/null
  wait_exit "$PROGRAM_PID" 10 || kill -9 "$PROGRAM_PID" 2>/dev/null
  [ -n "${ms:-}" ] && echo "$ms"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'; }

ours=() floor=()
for ((i = 0; i < SAMPLES; i++)); do
  # The main window's "Logo Preview" caption: a press there does nothing else.
  m=$(sample "$MS_BUILD/win64/MorrowenSnip.exe" "Morrowen Snip" 310 64 "Morrowen Snip editor" \
      "$MS_ROOT/assets/a.ini") && ours+=("$m")
  m=$(sample "$MS_BUILD/win64/minimal_snip.exe" "Minimal snip" 240 200 "Minimal snip editor") && floor+=("$m")
done

echo "hotkey to editor window mapped at $(screen_size), median of ${#ours[@]} / ${#floor[@]} starts"
echo "  ours (ms):    ${ours[*]:-none}"
echo "  minimal (ms): ${floor[*]:-none}"
if [ ${#ours[@]} -eq 0 ] || [ ${#floor[@]} -eq 0 ]; then
  echo "  no ratio: a program did not map its window after the hotkey"
  exit 1
fi
o=$(printf '%s\n' "${ours[@]}" | median)
f=$(printf '%s\n' "${floor[@]}" | median)
r=$(awk -v o="$o" -v f="$f" 'BEGIN { printf "%.2f", (f > 0 ? o / f : 0) }')
echo "  ours $o ms, minimal $f ms, ratio $r (target <= 1.2)"
echo "@ hotkey to editor mapped (ms)|$o|$f|$r|<= 1.2"
