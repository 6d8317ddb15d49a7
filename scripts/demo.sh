#!/usr/bin/env bash
# A scripted demo of a snip on a private display (make run without $DISPLAY):
# a known picture on the screen, the program started, its editor shown over
# the frozen screen, then closed. The last line printed is the path of the
# screenshot of the editor. Each step is one function: add steps (hotkey,
# selection, save) to STEPS as the program grows.
set -uo pipefail
cd "$(dirname "$0")/.."
source tests/e2e/lib.sh

OUT=$MS_BUILD/demo
EDITOR="Morrowen Snip editor"
RESULT=""

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
  local files=()
  [ -f "$MS_ROOT/assets/a.ini" ] && files+=("$MS_ROOT/assets/a.ini")
  start_program "${files[@]}" || die "cannot start $MS_EXE"
  say "started MorrowenSnip.exe (pid $PROGRAM_PID) in $PROGRAM_DIR"
}

step_editor_shown() {
  EDITOR_WID=$(wait_window "$EDITOR" 60) || die "the editor did not open"
  sleep 0.5   # let it paint
  screenshot "$OUT/editor.png"
  RESULT=$OUT/editor.png
  if images_equal "$OUT/screen.png" "$OUT/editor.png" 2>/dev/null; then
    say "the editor shows the frozen screen"
  else
    say "the editor's picture differs from the screen: see $RESULT"
  fi
}

step_close_editor() {
  focus_window "$EDITOR_WID" || click_window "$EDITOR_WID"
  key Escape
  wait_window_gone "$EDITOR" 10 || die "the editor did not close on Escape"
  wait_exit "$PROGRAM_PID" 15 || die "the program did not exit"
  say "Escape closed the editor; the program exited with code $EXIT_CODE"
}

STEPS=(step_environment step_show_screen step_start_program step_editor_shown step_close_editor)

rm -rf "$OUT" && mkdir -p "$OUT"
for step in "${STEPS[@]}"; do "$step"; done
echo "$RESULT"
