#!/usr/bin/env bash
# A selection dragged out with the mouse, then moved and resized by a handle,
# is copied by a double click: the X clipboard holds exactly its pixels.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"

start_display || { fail selection.setup "no X display"; finish; }
ensure_prefix || { fail selection.setup "no Wine prefix"; finish; }
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 21
show_picture "$MS_WORK/screen.png"

# expect_clipboard NAME WxH+X+Y: the editor closed and the clipboard holds that
# rectangle of the screen picture.
expect_clipboard() {
  local name=$1 geometry=$2
  if ! wait_window_gone "$EDITOR" 10; then
    fail "$name" "the editor did not close after the double click"
    return
  fi
  if ! clipboard_image "$MS_WORK/$name.png"; then
    fail "$name" "the clipboard holds no picture"
    return
  fi
  crop_image "$MS_WORK/screen.png" "$MS_WORK/$name.expected.png" "$geometry"
  check "$name" images_equal "$MS_WORK/$name.expected.png" "$MS_WORK/$name.png"
}

# copy_case NAME WxH+X+Y CLICK_X CLICK_Y X1 Y1 X2 Y2 [X1 Y1 X2 Y2...]: in a
# fresh editor, the drags in order, then a double click at (CLICK_X, CLICK_Y);
# the clipboard must hold that rectangle of the screen.
copy_case() {
  local name=$1 geometry=$2 cx=$3 cy=$4; shift 4
  if ! open_editor_with "$MS_ROOT/assets/a.ini" alt+q; then
    fail "$name" "the editor did not open"
    return
  fi
  while [ $# -ge 4 ]; do
    mouse_drag "$1" "$2" "$3" "$4"
    sleep 0.2
    shift 4
  done
  sleep 0.1
  xdotool mousemove "$cx" "$cy" click --repeat 2 --delay 80 1
  expect_clipboard "$name" "$geometry"
  end_program
}

# Drag from bottom-right to top-left: a 320 x 240 selection at (200, 150).
copy_case selection.drag_and_double_click 320x240+200+150 300 300 520 390 200 150

# 300 x 200 at (100, 100); moved by (+60, +30); handle 6 (bottom-right, its
# top-left corner at (458, 328)) dragged to (500, 360): right 500, bottom 360.
copy_case selection.move_resize_copy 340x230+160+130 300 250 100 100 400 300 200 200 260 230 459 329 500 360

# Near the screen's bottom the toolbar sits inside the selection; it must
# not be in the copy. The screen is 1920 x 1080: a selection down to 1075.
copy_case selection.toolbar_not_copied 400x275+600+800 650 850 600 800 1000 1075

# In a small selection most of it is the size and colour labels: a double
# click on them copies as a click beside them does.
copy_case selection.copy_through_labels 90x40+700+500 708 507 700 500 790 540

finish
