#!/usr/bin/env bash
# The editor's keys and its magnifier, as a user meets them: a selection
# nudged and sized by the arrow keys and copied with Enter is exactly the
# moved rectangle; Ctrl+Z after a shape copies the clean selection; the
# magnifier shows the pixels under the pointer, is never in the copy, and M
# switches it off, which a.ini keeps.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
CASE_PREFIX=keys
CASES=(nudge_and_size ctrl_z_reverts magnifier_waits_for_a_move magnifier_shows_the_pointers_pixels magnifier_not_in_copy
  m_switches_it_off)

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 45
show_picture "$MS_WORK/screen.png"

open_editor() { open_editor_with "$MS_ROOT/assets/a.ini" alt+q; }
# expect_copy CASE WxH+X+Y: the editor closed and the clipboard holds exactly
# that rectangle of the screen picture.
expect_copy() {
  wait_window_gone "$EDITOR" 10 || { ko "$1" "the editor stayed open"; return; }
  clipboard_image "$MS_WORK/$1.png" || { ko "$1" "the clipboard holds no picture"; return; }
  crop_image "$MS_WORK/screen.png" "$MS_WORK/$1.expected.png" "$2"
  expect_same_picture "$1" "$MS_WORK/$1.expected.png" "$MS_WORK/$1.png"
}

# 300 x 200 at (200, 200); right 3, Ctrl+down (10), wider by 2, Ctrl+Shift+down
# (10 taller): 302 x 210 at (203, 210).
if open_editor; then
  mouse_drag 200 200 500 400 && sleep 0.3
  key Right && key Right && key Right && key ctrl+Down
  key shift+Right && key shift+Right && key ctrl+shift+Down
  sleep 0.2
  key Return
  expect_copy nudge_and_size 302x210+203+210
  end_program
else
  ko nudge_and_size "the editor did not open"
fi

# A rectangle, then Ctrl+Z: the copy is the clean selection.
if open_editor; then
  mouse_drag 200 200 500 400 && sleep 0.3
  xdotool mousemove $((500 - 265 + 120 / 15 + 8)) $((404 + 13)) click 1 && sleep 0.3
  mouse_drag 250 250 350 350 && sleep 0.2
  key ctrl+z && sleep 0.2
  key Return
  expect_copy ctrl_z_reverts 300x200+200+200
  end_program
else
  ko ctrl_z_reverts "the editor did not open"
fi

# At opening the magnifier waits for the pointer to move: beside the pointer
# the screen shows what it shows once the magnifier has gone with the pointer.
# Before the first press: the magnifier beside the pointer, its middle cell
# the pixel under the pointer. Then a selection dragged out through it and
# copied with Enter: only the screen's pixels.
if open_editor; then
  read -r px py < <(xdotool getmouselocation | sed -E 's/^x:([0-9]+) y:([0-9]+).*/\1 \2/')
  screenshot "$MS_WORK/at_open.png"
  xdotool mousemove 640 470 && sleep 0.2 && xdotool mousemove 600 500 && sleep 0.6
  screenshot "$MS_WORK/magnifier.png"
  beside=120x120+$((px + 24))+$((py + 24))
  crop_image "$MS_WORK/at_open.png" "$MS_WORK/beside_at_open.png" "$beside"
  crop_image "$MS_WORK/magnifier.png" "$MS_WORK/beside_later.png" "$beside"
  expect_same_picture magnifier_waits_for_a_move "$MS_WORK/beside_later.png" \
      "$MS_WORK/beside_at_open.png" "beside the pointer at ($px, $py) at opening"
  # The magnifier's top-left is 24 pixels right and below the pointer; its
  # middle cell (8 x 8, inside a 1-pixel frame) starts 1 + 7 * 8 further on.
  want=$(pixel_color "$MS_WORK/screen.png" 600 500)
  got=$(pixel_color "$MS_WORK/magnifier.png" $((600 + 24 + 1 + 56 + 4)) $((500 + 24 + 1 + 56 + 4)))
  crop_image "$MS_WORK/screen.png" "$MS_WORK/under.png" 120x120+625+525
  crop_image "$MS_WORK/magnifier.png" "$MS_WORK/zoom.png" 120x120+625+525
  if [ "$want" = "$got" ] && ! images_equal "$MS_WORK/under.png" "$MS_WORK/zoom.png" 2>/dev/null; then
    ok magnifier_shows_the_pointers_pixels
  else
    ko magnifier_shows_the_pointers_pixels "middle cell $got, the pixel under the pointer $want"
  fi
  mouse_drag 600 500 700 560 && sleep 0.3
  key Return
  expect_copy magnifier_not_in_copy 100x60+600+500
  end_program
else
  ko magnifier_waits_for_a_move "the editor did not open"
  ko magnifier_shows_the_pointers_pixels "the editor did not open"
  ko magnifier_not_in_copy "the editor did not open"
fi

# M switches it off; a.ini keeps the choice for the next opening.
if open_editor; then
  xdotool mousemove 600 500 && sleep 0.3
  key m && sleep 0.3
  xdotool mousemove 610 510 && sleep 0.5
  screenshot "$MS_WORK/off.png"
  crop_image "$MS_WORK/screen.png" "$MS_WORK/off.expected.png" 150x170+630+530
  crop_image "$MS_WORK/off.png" "$MS_WORK/off.got.png" 150x170+630+530
  stored=$(ini_value "$PROGRAM_DIR/a.ini" Magnifier Show)
  if [ "$stored" != 0 ]; then
    ko m_switches_it_off "a.ini holds Show=$stored"
  else
    expect_same_picture m_switches_it_off "$MS_WORK/off.expected.png" \
        "$MS_WORK/off.got.png" "the magnifier still shows"
  fi
  key Escape
  end_program
else
  ko m_switches_it_off "the editor did not open"
fi

fail_rest "not reached"
