#!/usr/bin/env bash
# "Snip the same area again": after a region snip, the region hotkey with
# Shift opens the editor with the selection on the last snip's rectangle, and
# a double click copies exactly that rectangle again.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
MAIN="Morrowen Snip"
TRAY="Wine System Tray"
TRAY_ICON_SPOT=(13 32)
CASE_PREFIX=repeat_region
CASES=(first_copy preset_shown same_rectangle_again)

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 45
show_picture "$MS_WORK/screen.png"
crop_image "$MS_WORK/screen.png" "$MS_WORK/expected.png" 300x200+400+300

open_editor_with "$MS_ROOT/assets/a.ini" alt+q || fail_rest "no editor from Alt+Q"
mouse_drag 400 300 700 500
sleep 0.2
xdotool mousemove 550 400 click --repeat 2 --delay 80 1
if wait_window_gone "$EDITOR" 10 && clipboard_image "$MS_WORK/first.png" &&
   images_equal "$MS_WORK/expected.png" "$MS_WORK/first.png" >/dev/null 2>&1; then
  ok first_copy
else
  ko first_copy "the first snip did not reach the clipboard"
fi
# Something else on the clipboard, so that only a new copy can put the snip back.
echo "not a picture" | xclip -selection clipboard
sleep 0.3

# The main window hid for the snip: a left click on the tray icon brings it back.
tray=$(wait_window "$TRAY" 10) || fail_rest "no notification area window"
read -r tx ty _ _ < <(window_geometry "$tray")
xdotool mousemove $((tx + TRAY_ICON_SPOT[0])) $((ty + TRAY_ICON_SPOT[1])) click 1
main=$(wait_window "$MAIN" 10) || fail_rest "the tray icon did not bring the main window back"
sleep 0.5
press_program_hotkey "$main" shift+alt+q
wait_window "$EDITOR" 15 >/dev/null || fail_rest "no editor from Shift+Alt+Q"
sleep 0.8
xdotool mousemove 1000 900
sleep 0.3
screenshot "$MS_WORK/preset.png"
# The selection frame runs along the rectangle's edges, and the toolbar sits under it.
frame=$(pixel_color "$MS_WORK/preset.png" 550 300)
inside=$(pixel_color "$MS_WORK/preset.png" 550 400)
want_inside=$(pixel_color "$MS_WORK/screen.png" 550 400)
if [ "$inside" = "$want_inside" ] && [ "$frame" != "$(pixel_color "$MS_WORK/screen.png" 550 300)" ]; then
  ok preset_shown
else
  ko preset_shown "no selection frame on the last rectangle (edge $frame, inside $inside)"
fi
xdotool mousemove 550 400 click --repeat 2 --delay 80 1
if wait_window_gone "$EDITOR" 10 && clipboard_image "$MS_WORK/again.png"; then
  decide_again() { images_equal "$MS_WORK/expected.png" "$MS_WORK/again.png"; }
  if err=$(decide_again 2>&1); then ok same_rectangle_again; else ko same_rectangle_again "$err"; fi
else
  ko same_rectangle_again "the double click copied nothing"
fi
[ -n "${MS_KEEP_SHOTS:-}" ] && cp "$MS_WORK/preset.png" "$MS_KEEP_SHOTS/"
end_program
fail_rest "not reached"
