#!/usr/bin/env bash
# What a new user meets first: no snip holds the program's own windows (Alt+A
# over the main window, Alt+Z's pick with its inspector), an empty text box
# is no grey box in the copy, the dimming outside the selection is on the
# screen and not in the copy, Escape ends a window pick without a capture,
# a right click on a handle after a resize discards the selection at once,
# and the close command (Alt+F4) hides the main window to the tray.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
MAIN="Morrowen Snip"
CASE_PREFIX=first_minutes
CASES=(alt_a_without_main dimmed_outside alt_z_without_our_windows empty_text_box escape_ends_pick
       right_click_on_handle close_hides_to_tray)

# The toolbar's buttons, as test_markup.sh finds them under a selection.
BUTTON_TWIPS=(2071 3580 2810 3180 1220 860 480 120 2441 1590)
button() { # TB_X TB_Y INDEX
  xdotool mousemove $(($1 + BUTTON_TWIPS[$3] / 15 + 8)) $(($2 + 13)) && sleep 0.15
  xdotool click 1 && sleep 0.3
}

# mask_tray IMAGE [DX DY]: Wine's notification-area window painted black in
# IMAGE (it stays on the screen, so it is in any frozen picture too); DX, DY:
# where IMAGE's origin lies on the screen.
mask_tray() {
  local t x y w h dx=${2:-0} dy=${3:-0}
  t=$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -n1)
  [ -n "$t" ] || return 0
  read -r x y w h < <(window_geometry "$t")
  convert "$1" -fill black -draw "rectangle $((x - dx)),$((y - dy)) $((x - dx + w - 1)),$((y - dy + h - 1))" \
    "PNG24:$1"
}

# start_main: the program with the shipped settings; MAIN_WID and its geometry MX MY MW MH.
start_main() {
  start_program "$MS_ROOT/assets/a.ini" || return 1
  MAIN_WID=$(wait_window "$MAIN" 30) || return 1
  read -r MX MY MW MH < <(window_geometry "$MAIN_WID")
  sleep 0.5   # the hotkey loop starts 10 ms after the window
}

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 21
show_picture "$MS_WORK/screen.png"

# 1. Alt+A with the main window on the screen: a selection over the main
# window's place copies the screen beneath it; outside the selection the
# editor shows the picture darker, inside as it is.
if ! start_main; then
  ko alt_a_without_main "no main window"
  ko dimmed_outside "no main window"
else
  press_program_hotkey "$MAIN_WID" alt+a
  if ! wait_window "$EDITOR" 30 >/dev/null; then
    ko alt_a_without_main "Alt+A opened no editor"
    ko dimmed_outside "Alt+A opened no editor"
  else
    sleep 0.5
    SX=$((MX - 10)) SY=$((MY - 10)) SW=$((MW + 20)) SH=$((MH + 20))
    mouse_drag "$SX" "$SY" $((SX + SW)) $((SY + SH))
    sleep 0.4
    screenshot "$MS_WORK/dimmed.png"
    # A point left of the selection and one inside it, away from its frame
    # and labels (the labels sit at its top-left corner).
    ox=$((SX / 2)) oy=$((SY + SH / 2)) ix=$((SX + SW / 2)) iy=$((SY + SH - 30))
    why=$(python3 - "$MS_WORK/screen.png" "$MS_WORK/dimmed.png" "$ox" "$oy" "$ix" "$iy" <<'EOF'
import subprocess, sys
def px(f, x, y):
    p = "p{%d,%d}" % (x, y)
    fmt = ",".join("%[fx:int(255*" + p + "." + c + "+0.5)]" for c in "rgb")
    out = subprocess.run(["convert", f, "-format", fmt, "info:"], capture_output=True, text=True).stdout.strip()
    return [int(v) for v in out.split(",")]
src, shot, ox, oy, ix, iy = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:])
o0, o1, i0, i1 = px(src, ox, oy), px(shot, ox, oy), px(src, ix, iy), px(shot, ix, iy)
if i0 != i1: print(f"inside the selection {i1}, the screen {i0}"); sys.exit(1)
for a, b in zip(o0, o1):
    if abs(b - a * 0.6) > 3: print(f"outside the selection {o1}, the screen {o0}: not 40 % darker"); sys.exit(1)
EOF
    ) && dim_ok=true || dim_ok=false
    key Return
    if ! wait_window_gone "$EDITOR" 10; then
      ko alt_a_without_main "Enter did not copy and close the editor"
      $dim_ok && ok dimmed_outside || ko dimmed_outside "$why"
    elif ! clipboard_image "$MS_WORK/alt_a.png"; then
      ko alt_a_without_main "the clipboard holds no picture"
      $dim_ok && ok dimmed_outside || ko dimmed_outside "$why"
    else
      crop_image "$MS_WORK/screen.png" "$MS_WORK/alt_a_expected.png" "${SW}x$SH+$SX+$SY"
      mask_tray "$MS_WORK/alt_a_expected.png" "$SX" "$SY"
      mask_tray "$MS_WORK/alt_a.png" "$SX" "$SY"
      if err=$(images_equal "$MS_WORK/alt_a_expected.png" "$MS_WORK/alt_a.png" 2>&1); then
        ok alt_a_without_main
        # The copy is the screen's own pixels: no dimming in it.
        $dim_ok && ok dimmed_outside || ko dimmed_outside "$why"
      else
        ko alt_a_without_main "the copy is not the screen under the main window: $err"
        ko dimmed_outside "the copy differs from the screen"
      fi
    fi
  fi
  end_program
fi

# 2. Alt+Z: a pick of the desktop itself (a click on the bare screen) opens
# the window editor on the whole screen; its copy is the screen alone, with
# neither the main window nor the inspector's bars nor the overlay.
if ! start_main; then
  ko alt_z_without_our_windows "no main window"
else
  press_program_hotkey "$MAIN_WID" alt+z
  sleep 1.5
  xdotool mousemove 5 $(($(screen_size | cut -dx -f2) / 2)) && sleep 0.5 && xdotool click 1
  if ! wait_window "$EDITOR" 30 >/dev/null; then
    ko alt_z_without_our_windows "the pick opened no editor"
  else
    sleep 0.5
    screenshot "$MS_WORK/alt_z_editor.png"
    # The first click shows the toolbar, inside the whole-screen selection
    # at its bottom right; "Save to clipboard" is its last button.
    read -r sw sh < <(screen_size | tr x ' ')
    mouse_move 960 540 && xdotool click 1 && sleep 0.5
    mouse_move $((sw - 265 + 3580 / 15 + 8)) $((sh - 30 + 13)) && sleep 0.2 && xdotool click 1
    if ! wait_window_gone "$EDITOR" 10 || ! clipboard_image "$MS_WORK/alt_z.png"; then
      ko alt_z_without_our_windows "Enter did not copy the picked window"
    else
      read -r cw ch < <(image_size "$MS_WORK/alt_z.png")
      crop_image "$MS_WORK/screen.png" "$MS_WORK/alt_z_expected.png" "${cw}x$ch+0+0"
      mask_tray "$MS_WORK/alt_z_expected.png"
      mask_tray "$MS_WORK/alt_z.png"
      if [ "$cw" -lt 200 ] || [ "$ch" -lt 200 ]; then
        ko alt_z_without_our_windows "the copy is only ${cw}x$ch: the desktop was not picked"
      else
        expect_same_picture alt_z_without_our_windows "$MS_WORK/alt_z_expected.png" \
            "$MS_WORK/alt_z.png" "the copy holds more than the screen"
      fi
    fi
  fi
  end_program
fi

# 3. The text tool: a box opened and left empty is not in the copy.
if ! open_editor_with "$MS_ROOT/assets/a.ini" alt+q; then
  ko empty_text_box "the editor did not open"
else
  mouse_drag 200 200 700 600
  sleep 0.3
  button 435 604 5   # "Add text"
  xdotool mousemove 300 300 && sleep 0.1 && xdotool click 1 && sleep 0.5
  screenshot "$MS_WORK/text_box.png"
  button 435 604 1   # "Save to clipboard"
  if ! wait_window_gone "$EDITOR" 10 || ! clipboard_image "$MS_WORK/text.png"; then
    ko empty_text_box "Save to clipboard did not copy"
  else
    crop_image "$MS_WORK/screen.png" "$MS_WORK/text_expected.png" 500x400+200+200
    expect_same_picture empty_text_box "$MS_WORK/text_expected.png" \
        "$MS_WORK/text.png" "the copy is not the bare screen"
  fi
  end_program
fi

# 4. Escape during a window pick: no editor, nothing on the clipboard, the
# main window back.
if ! start_main; then
  ko escape_ends_pick "no main window"
else
  printf 'before the pick' | xclip -selection clipboard -i
  press_program_hotkey "$MAIN_WID" alt+z
  sleep 1.5
  key Escape
  sleep 1
  # Ended: a click now picks nothing, so no editor opens.
  xdotool mousemove 5 540 && sleep 0.3 && xdotool click 1
  sleep 2.5
  if xdotool search --onlyvisible --name "^$EDITOR\$" >/dev/null 2>&1; then
    ko escape_ends_pick "the pick went on after Escape: a click opened an editor"
  elif clipboard_targets | grep -q 'image/bmp'; then
    ko escape_ends_pick "the pick put a picture on the clipboard"
  elif ! xdotool search --onlyvisible --name "^$MAIN\$" >/dev/null 2>&1; then
    ko escape_ends_pick "the main window did not come back"
  else
    ok escape_ends_pick
  fi
  end_program
fi

# 5. A right click on the handle the pointer rests on after a resize
# discards the selection (and the editor stays open).
if ! open_editor_with "$MS_ROOT/assets/a.ini" alt+q; then
  ko right_click_on_handle "the editor did not open"
else
  mouse_drag 200 200 600 500
  sleep 0.3
  mouse_drag 600 500 650 560   # the bottom-right handle, dragged
  sleep 0.3
  xdotool click 3 && sleep 0.5
  screenshot "$MS_WORK/right_click.png"
  # Discarded: the screen shows the frozen picture, undimmed, everywhere.
  if ! xdotool search --onlyvisible --name "^$EDITOR\$" >/dev/null 2>&1; then
    ko right_click_on_handle "the editor closed"
  else
    crop_image "$MS_WORK/screen.png" "$MS_WORK/rc_expected.png" 800x700+100+100
    crop_image "$MS_WORK/right_click.png" "$MS_WORK/rc_shown.png" 800x700+100+100
    if err=$(images_close "$MS_WORK/rc_expected.png" "$MS_WORK/rc_shown.png" 400 2>&1); then
      ok right_click_on_handle
    else
      ko right_click_on_handle "the selection is still shown: $err"
    fi
  fi
  end_program
fi

# 6. Alt+F4 on the main window: hidden, the program still running.
if ! start_main; then
  ko close_hides_to_tray "no main window"
else
  focus_window "$MAIN_WID" && key alt+F4
  if ! wait_window_gone "$MAIN" 10; then
    ko close_hides_to_tray "the main window is still shown"
  elif ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
    ko close_hides_to_tray "the program ended"
  else
    ok close_hides_to_tray
  fi
  end_program
fi

finish
