#!/usr/bin/env bash
# The markup strip beside the toolbar as a user meets it: pixelate, the
# highlighter, the pen and numbered steps drawn with the mouse and found in the
# copy, reached by the strip's buttons and by their keys; F3 pins the selection
# in a window of its own that outlives the editor, zooms with the wheel and
# closes with Escape.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
PIN="Morrowen Snip pin"
CASE_PREFIX=markup_strip
CASES=(strip_beside_toolbar pixelate highlighter pen numbered_steps pin pin_zoom pin_escape)
CHECK="$MS_ROOT/tests/e2e/tools/markup_check.py"

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 41
show_picture "$MS_WORK/screen.png"

# The selection of every case: 500 x 400 at (200, 200); the toolbar under it,
# right edges aligned (left 435, top 604), and the strip to its left, 4 pixels
# apart: 124 wide, its buttons 16 pixels on a pitch of 24 from 6 in.
SEL=500x400+200+200
TB_X=435 TB_Y=604
STRIP_X=$((TB_X - 4 - 124)) STRIP_Y=$TB_Y
crop_image "$MS_WORK/screen.png" "$MS_WORK/clean.png" "$SEL"

strip_button() {
  xdotool mousemove $((STRIP_X + 6 + 24 * $1 + 8)) $((STRIP_Y + 13)) && sleep 0.15
  xdotool click 1 && sleep 0.3
}
open_editor() {
  open_editor_with "$MS_ROOT/assets/a.ini" alt+q || return 1
  mouse_drag 200 200 700 600
  sleep 0.3
}
# copy_out CASE: "Save to clipboard" on the toolbar; the copy goes to $MS_WORK/CASE.png.
copy_out() {
  xdotool mousemove $((TB_X + 3580 / 15 + 8)) $((TB_Y + 13)) && sleep 0.15 && xdotool click 1
  wait_window_gone "$EDITOR" 10 || { ko "$1" "the editor stayed open after Save to clipboard"; return 1; }
  clipboard_image "$MS_WORK/$1.png" || { ko "$1" "the clipboard holds no picture"; return 1; }
}
# expect CASE CHECK ARGS...: tools/markup_check.py on the clean and the copied snip.
expect() {
  local name=$1 what=$2 why
  shift 2
  if why=$(python3 "$CHECK" "$what" "$MS_WORK/clean.png" "$MS_WORK/$name.png" "$@" 2>&1); then ok "$name"; else ko "$name" "$why"; fi
}
run_case() { open_editor || { ko "$1" "the editor did not open"; return 1; }; }

# The strip shows beside the toolbar, in the toolbar's colours, with its
# icons; the screenshot is kept for a look.
if run_case strip_beside_toolbar; then
  xdotool mousemove 450 450 && sleep 0.3
  screenshot "$MS_WORK/strip.png"
  bg=$(pixel_color "$MS_WORK/strip.png" $((STRIP_X + 3)) $((STRIP_Y + 13)))
  edge=$(pixel_color "$MS_WORK/strip.png" "$STRIP_X" $((STRIP_Y + 13)))
  icon=$(crop_image "$MS_WORK/strip.png" "$MS_WORK/icon0.png" 16x16+$((STRIP_X + 6))+$((STRIP_Y + 5)) &&
         convert "$MS_WORK/icon0.png" -format '%k' info:)
  if [ "$bg" != "222,238,255" ]; then
    ko strip_beside_toolbar "no strip left of the toolbar: $bg at its place"
  elif [ "$edge" != "128,128,255" ]; then
    ko strip_beside_toolbar "the strip has no outline: $edge"
  elif [ "${icon:-0}" -lt 4 ]; then
    ko strip_beside_toolbar "the first button shows no icon ($icon colours)"
  else
    ok strip_beside_toolbar
  fi
  end_program
fi

# Pixelate from the strip, blocks of 12 (the preset size): a box from
# (250, 250) to (450, 400), in snip pixels 50..250 x 50..200.
if run_case pixelate; then
  strip_button 0 && mouse_drag 250 250 450 400
  copy_out pixelate && expect pixelate blocks 50,50,250,200 12
  end_program
fi

# The highlighter by its key (H), in its default yellow, 9 pixels wide (3 x 3,
# raised to 12), dragged along row 300 and back over itself.
if run_case highlighter; then
  key h && sleep 0.2
  mouse_move 260 300
  xdotool mousedown 1; sleep 0.05
  mouse_move 640 300; mouse_move 260 300
  sleep 0.05; xdotool mouseup 1; sleep 0.2
  copy_out highlighter && expect highlighter highlight 100 70,430 255,240,0
  end_program
fi

# The pen from the strip on a fast drag: the pointer jumps 60 pixels a move.
if run_case pen; then
  strip_button 2
  mouse_move 250 400
  xdotool mousedown 1; sleep 0.05
  for x in 310 370 430 490 550 610 650; do xdotool mousemove "$x" $((400 + (x % 7) - 3)); sleep 0.03; done
  sleep 0.05; xdotool mouseup 1; sleep 0.2
  copy_out pen && expect pen pen 200 50,450 255,0,0
  end_program
fi

# Numbered steps by their key (N): three clicks, then Ctrl+Z takes the third
# back: two badges are left.
if run_case numbered_steps; then
  key n && sleep 0.2
  for x in 300 420 540; do xdotool mousemove "$x" 300 click 1; sleep 0.3; done
  key ctrl+z && sleep 0.3
  copy_out numbered_steps && expect numbered_steps discs 255,0,0 2
  end_program
fi

# F3 pins the selection: the editor closes, and a window shows exactly the
# selection's pixels at its place with a one-pixel outline round them.
if run_case pin; then
  key F3
  if ! wait_window_gone "$EDITOR" 10; then
    ko pin "the editor stayed open after F3"
  elif ! pin=$(wait_window "$PIN" 10); then
    ko pin "no pin window"
  else
    sleep 0.5
    read -r px py pw ph < <(window_geometry "$pin")
    screenshot "$MS_WORK/pinned.png"
    crop_image "$MS_WORK/pinned.png" "$MS_WORK/pin_inside.png" "$SEL"
    outline=$(pixel_color "$MS_WORK/pinned.png" 199 199)
    if [ "$pw x $ph at $px,$py" != "502 x 402 at 199,199" ]; then
      ko pin "the pin is $pw x $ph at $px,$py"
    elif ! why=$(images_equal "$MS_WORK/clean.png" "$MS_WORK/pin_inside.png" 2>&1); then
      ko pin "the pin does not show the selection: $why"
    elif [ "$outline" != "0,122,236" ]; then
      ko pin "no outline round the pin: $outline"
    else
      ok pin
    fi
    # Two notches of the wheel away from the user: 121 %.
    xdotool mousemove 450 400 click 4 && sleep 0.3 && xdotool click 4 && sleep 0.5
    read -r _ _ zw zh < <(window_geometry "$pin")
    if [ "$zw x $zh" = "607 x 486" ]; then ok pin_zoom; else ko pin_zoom "after two notches the pin is $zw x $zh"; fi
    screenshot "$MS_WORK/pin_zoomed.png"
    key Escape
    if wait_window_gone "$PIN" 10; then ok pin_escape; else ko pin_escape "the pin stayed after Escape"; fi
  fi
  end_program
fi

fail_rest "not reached"
