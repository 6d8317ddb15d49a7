#!/usr/bin/env bash
# A scripted demo of a snip on a private display (make run without $DISPLAY):
# a known picture on the screen, the program started into its main window,
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
# The snip: a 480 x 300 rectangle of the screen.
SNIP_X=360 SNIP_Y=200 SNIP_W=480 SNIP_H=300

say() { echo "demo: $*" >&2; }
die() { say "$*"; exit 1; }

step_environment() {
  start_display || die "no X display"
  ensure_prefix || die "no Wine prefix"
  start_wineserver
}

step_show_screen() {
  make_pattern "$OUT/screen.png"
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
