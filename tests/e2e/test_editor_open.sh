#!/usr/bin/env bash
# Alt+Q on the main window opens the snip editor over a frozen picture of the
# whole screen, taken with the main window already hidden; Escape closes it
# and the program runs on with its main window hidden.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
MAIN="Morrowen Snip"
CASE_PREFIX=editor_open
CASES=(window_appears covers_screen shows_frozen_screen closes_on_escape runs_on_hidden)

# mask_tray IMAGE: paints Wine's notification-area window black in IMAGE. It
# shows the program's tray icon (Wine's own, as the desktop has none) and
# stays on the screen, so it is part of the frozen picture as well.
mask_tray() {
  local t x y w h
  t=$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -n1)
  [ -n "$t" ] || return 0
  read -r x y w h < <(window_geometry "$t")
  convert "$1" -fill black -draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))" "PNG24:$1"
}

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/before.png" "" 11
make_pattern "$MS_WORK/after.png" "" 12
show_picture "$MS_WORK/before.png"
screenshot "$MS_WORK/root.png"
images_equal "$MS_WORK/before.png" "$MS_WORK/root.png" 2>/dev/null ||
  fail_rest "the screen does not show the test picture"

start_program "$MS_ROOT/assets/a.ini" || fail_rest "cannot start $MS_EXE"
main=$(wait_window "$MAIN" 30) || fail_rest "no main window titled \"$MAIN\" within 30 s"
sleep 0.5                       # the hotkey loop starts 10 ms after the window
press_program_hotkey "$main" alt+q

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
cp "$MS_WORK/before.png" "$MS_WORK/expected.png"
mask_tray "$MS_WORK/expected.png"
shown=false
for _ in $(seq 30); do
  screenshot "$MS_WORK/editor.png"
  mask_tray "$MS_WORK/editor.png"
  if images_equal "$MS_WORK/expected.png" "$MS_WORK/editor.png" 2>/dev/null; then shown=true; break; fi
  sleep 0.2
done
if $shown; then
  ok shows_frozen_screen
else
  ko shows_frozen_screen "$(images_equal "$MS_WORK/expected.png" "$MS_WORK/editor.png" 2>&1) from the picture taken at start"
fi

# No focusing here: the editor takes the keyboard itself when it opens.
key Escape
if wait_window_gone "$EDITOR" 10; then
  ok closes_on_escape
else
  ko closes_on_escape "the editor is still shown 10 s after Escape"
fi

sleep 0.3
if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
  ko runs_on_hidden "the program ended with the editor"
elif xdotool search --onlyvisible --name "^$MAIN\$" >/dev/null 2>&1; then
  ko runs_on_hidden "the main window came back"
else
  ok runs_on_hidden
fi

finish
