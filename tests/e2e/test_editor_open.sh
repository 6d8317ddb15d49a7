#!/usr/bin/env bash
# The snip editor opens at start over a frozen picture of the whole screen
# and Escape closes it, ending the program.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
CASES=(window_appears covers_screen shows_frozen_screen closes_on_escape program_exits)

# fail_rest REASON: the cases not yet decided fail for REASON.
fail_rest() {
  local c
  for c in "${CASES[@]}"; do
    [[ " ${DONE[*]} " == *" $c "* ]] || fail "editor_open.$c" "$1"
  done
  finish
}
DONE=()
ok() { pass "editor_open.$1"; DONE+=("$1"); }
ko() { fail "editor_open.$1" "$2"; DONE+=("$1"); }

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/before.png" "" 11
make_pattern "$MS_WORK/after.png" "" 12
show_picture "$MS_WORK/before.png"
screenshot "$MS_WORK/root.png"
images_equal "$MS_WORK/before.png" "$MS_WORK/root.png" 2>/dev/null ||
  fail_rest "the screen does not show the test picture"

files=()
[ -f "$MS_ROOT/assets/a.ini" ] && files+=("$MS_ROOT/assets/a.ini")
start_program "${files[@]}" || fail_rest "cannot start $MS_EXE"

if wid=$(wait_window "$EDITOR" 30); then
  ok window_appears
else
  fail_rest "no visible window titled \"$EDITOR\" within 30 s"
fi

read -r x y w h < <(window_geometry "$wid")
screen=$(screen_size)
if [ "$x $y ${w}x$h" = "0 0 $screen" ]; then
  ok covers_screen
else
  ko covers_screen "window at $x,$y size ${w}x$h, screen is $screen"
fi

# Change what lies under the editor: a frozen picture still shows the old one,
# while a see-through or unpainted window would show the new one.
show_picture "$MS_WORK/after.png"
shown=false
for _ in $(seq 30); do
  screenshot "$MS_WORK/editor.png"
  if images_equal "$MS_WORK/before.png" "$MS_WORK/editor.png" 2>/dev/null; then shown=true; break; fi
  sleep 0.2
done
if $shown; then
  ok shows_frozen_screen
else
  ko shows_frozen_screen "$(images_equal "$MS_WORK/before.png" "$MS_WORK/editor.png" 2>&1) from the picture taken at start"
fi

focus_window "$wid" || click_window "$wid"
key Escape
if wait_window_gone "$EDITOR" 10; then
  ok closes_on_escape
else
  ko closes_on_escape "the editor is still shown 10 s after Escape"
fi

if wait_exit "$PROGRAM_PID" 15; then
  if [ "$EXIT_CODE" -eq 0 ]; then ok program_exits; else ko program_exits "exit code $EXIT_CODE"; fi
else
  ko program_exits "still running 15 s after Escape"
fi

finish
