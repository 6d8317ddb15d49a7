#!/usr/bin/env bash
# A scripted demo of a snip on a private display (make run without $DISPLAY):
# a picture of a desktop with a text window on the screen, the program started into its main window,
# Alt+Q pressed on it, a selection dragged out in the editor and copied by a
# double click, and the clipboard's picture saved. The last line printed is
# the path of that picture. Each step is one function, run in STEPS order.
set -uo pipefail
cd "$(dirname "$0")/.."
source tests/e2e/lib.sh

OUT=$MS_BUILD/demo
EDITOR="Morrowen Snip editor"
MAIN="Morrowen Snip"
RESULT=""
# The drawn window: its outer rectangle on the screen; the snip takes it
# with a margin of desktop around it.
WIN_X=400 WIN_Y=220 WIN_W=560 WIN_H=320
SNIP_X=$((WIN_X - 20)) SNIP_Y=$((WIN_Y - 20)) SNIP_W=$((WIN_W + 40)) SNIP_H=$((WIN_H + 40))

say() { echo "demo: $*" >&2; }
die() { say "$*"; exit 1; }

step_environment() {
  start_display || die "no X display"
  ensure_prefix || die "no Wine prefix"
  start_wineserver
}

# make_desktop FILE: a desktop picture with a window of text on it, the kind
# of thing a user snips.
make_desktop() {
  local size w h x2 y2
  size=$(screen_size); w=${size%x*}; h=${size#*x}
  x2=$((WIN_X + WIN_W - 1)); y2=$((WIN_Y + WIN_H - 1))
  convert -size "${w}x${h}" gradient:'rgb(40,110,150)-rgb(20,50,80)' \
    -fill 'rgb(245,245,245)' -stroke 'rgb(90,90,90)' -draw "rectangle $WIN_X,$WIN_Y $x2,$y2" -stroke none \
    -fill 'rgb(0,90,170)' -draw "rectangle $((WIN_X + 1)),$((WIN_Y + 1)) $((x2 - 1)),$((WIN_Y + 30))" \
    -fill white -pointsize 16 -annotate +$((WIN_X + 12))+$((WIN_Y + 21)) 'Trip plan.txt - Notepad' \
    -fill 'rgb(232,17,35)' -draw "rectangle $((x2 - 46)),$((WIN_Y + 1)) $((x2 - 1)),$((WIN_Y + 30))" \
    -fill white -annotate +$((x2 - 29))+$((WIN_Y + 21)) 'X' \
    -fill black -pointsize 14 -annotate +$((WIN_X + 10))+$((WIN_Y + 50)) 'File   Edit   Format   View   Help' \
    -fill white -draw "rectangle $((WIN_X + 1)),$((WIN_Y + 58)) $((x2 - 1)),$((y2 - 1))" \
    -fill black -pointsize 18 \
    -annotate +$((WIN_X + 14))+$((WIN_Y + 90)) 'Saturday: train to the coast, 08:15' \
    -annotate +$((WIN_X + 14))+$((WIN_Y + 120)) 'Lunch at the harbour, then the lighthouse' \
    -annotate +$((WIN_X + 14))+$((WIN_Y + 150)) 'Sunday: bikes along the river (rent at 9)' \
    -annotate +$((WIN_X + 14))+$((WIN_Y + 180)) 'Back by 18:40 - pack the camera!' \
    -fill 'rgb(0,120,60)' -annotate +$((WIN_X + 14))+$((WIN_Y + 230)) 'Budget: 120 EUR each' \
    -depth 8 "PNG24:$1"
}

step_show_screen() {
  make_desktop "$OUT/screen.png"
  show_picture "$OUT/screen.png"
  say "the screen shows $OUT/screen.png"
}

step_start_program() {
  start_program "$MS_ROOT/assets/a.ini" || die "cannot start $MS_EXE"
  say "started MorrowenSnip.exe (pid $PROGRAM_PID) in $PROGRAM_DIR"
  MAIN_WID=$(wait_window "$MAIN" 60) || die "the main window did not open"
  sleep 0.5   # the hotkey loop starts 10 ms after the window
  screenshot "$OUT/main-window.png"
  say "the main window is up: $OUT/main-window.png"
}

step_hotkey() {
  press_program_hotkey "$MAIN_WID" alt+q
  wait_window_gone "$MAIN" 10 || die "Alt+Q did not hide the main window"
  EDITOR_WID=$(wait_window "$EDITOR" 30) || die "Alt+Q did not open the editor"
  sleep 0.5   # let the frozen picture reach the screen
  say "Alt+Q hid the main window and opened the editor over the frozen screen"
}

step_select_and_copy() {
  mouse_drag "$SNIP_X" "$SNIP_Y" $((SNIP_X + SNIP_W)) $((SNIP_Y + SNIP_H))
  sleep 0.3
  screenshot "$OUT/selection.png"
  xdotool mousemove $((SNIP_X + SNIP_W / 2)) $((SNIP_Y + SNIP_H / 2)) click --repeat 2 --delay 80 1
  wait_window_gone "$EDITOR" 10 || die "the double click did not copy and close the editor"
  say "selected ${SNIP_W}x$SNIP_H at ($SNIP_X, $SNIP_Y) and copied it with a double click"
}

step_save_clipboard() {
  clipboard_image "$OUT/snip.png" || die "the clipboard holds no picture"
  RESULT=$OUT/snip.png
  crop_image "$OUT/screen.png" "$OUT/expected.png" "${SNIP_W}x$SNIP_H+$SNIP_X+$SNIP_Y"
  if images_equal "$OUT/expected.png" "$OUT/snip.png" 2>/dev/null; then
    say "the clipboard holds exactly the selected pixels: $RESULT"
  else
    say "the clipboard's picture differs from the selected screen area: see $RESULT"
  fi
}

step_end_program() {
  # The main window stays hidden after a snip (the tray icon brings it back).
  kill "$PROGRAM_PID" 2>/dev/null
  wait_exit "$PROGRAM_PID" 10 || kill -9 "$PROGRAM_PID" 2>/dev/null
}

STEPS=(step_environment step_show_screen step_start_program step_hotkey step_select_and_copy step_save_clipboard
       step_end_program)

rm -rf "$OUT" && mkdir -p "$OUT"
for step in "${STEPS[@]}"; do "$step"; done
echo "$RESULT"
