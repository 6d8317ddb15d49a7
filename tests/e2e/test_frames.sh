#!/usr/bin/env bash
# Pictures on the snip: the logo stamped by the logo editor at "Lower right",
# a sticker from the frames panel at the selection's top-left, the logo
# library's "Select it" and "Replace the image", each checked in the copy on
# the X clipboard or in a.ini.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
LIBRARY="Logo library"

start_display || { fail frames.setup "no X display"; finish; }
ensure_prefix || { fail frames.setup "no Wine prefix"; finish; }
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 33
show_picture "$MS_WORK/screen.png"

# A 60 x 30 logo: navy with a white hole that must let the snip show through.
convert -size 60x30 xc:'rgb(0,0,128)' -fill white -draw "rectangle 20,10 39,19" "PNG24:$MS_WORK/logo.png"
# A slot picture for the library: orange with a white stripe.
convert -size 90x50 xc:'rgb(240,130,20)' -fill white -draw "rectangle 0,20 89,29" "PNG24:$MS_WORK/slot.png"

# win_path FILE: the Windows path of a file here (Wine's Z: is the root).
win_path() { echo "Z:${1//\//\\}"; }

# settings NAME [SECTION KEY VALUE]...: prints the path of $MS_WORK/NAME/a.ini,
# the shipped settings plus the values given.
settings() {
  local file=$MS_WORK/$1/a.ini; shift
  mkdir -p "$(dirname "$file")"
  cp "$MS_ROOT/assets/a.ini" "$file"
  while [ $# -ge 3 ]; do printf '[%s]\r\n%s=%s\r\n' "$1" "$2" "$3" >>"$file"; shift 3; done
  echo "$file"
}

# copy_selection NAME X Y: a double click at (X, Y) inside the selection copies
# it; the clipboard's picture goes to $MS_WORK/NAME.copy.png.
copy_selection() {
  xdotool mousemove "$2" "$3" click --repeat 2 --delay 80 1
  wait_window_gone "$EDITOR" 10 || { echo "the editor did not close after the double click"; return 1; }
  clipboard_image "$MS_WORK/$1.copy.png" || { echo "the clipboard holds no picture"; return 1; }
}

# The logo at "Lower right" of a 320 x 240 selection at (200, 150): the frame
# is the logo plus its 10-pixel margin, so the logo's top-left lies at
# (320 - 70, 240 - 40) in the copy, 1:1, its white and the margin see-through.
logo_case() {
  local ini err
  ini=$(settings logo logo logo "$(win_path "$MS_WORK/logo.png")")
  open_editor_with "$ini" alt+a || { fail frames.logo_lower_right "the logo editor did not open"; return; }
  mouse_drag 200 150 520 390
  sleep 0.3
  if ! err=$(copy_selection logo 300 250); then
    fail frames.logo_lower_right "$err"
  else
    crop_image "$MS_WORK/screen.png" "$MS_WORK/logo.expected.png" 320x240+200+150
    convert "$MS_WORK/logo.expected.png" \( "$MS_WORK/logo.png" -transparent white \) \
      -geometry +250+200 -composite "PNG24:$MS_WORK/logo.expected.png"
    check frames.logo_lower_right images_equal "$MS_WORK/logo.expected.png" "$MS_WORK/logo.copy.png"
  fi
  end_program
}

# Where the frames panel's parts are, for the 320 x 240 selection at (200, 150):
# the toolbar 4 pixels under it, right edges aligned (left 255, top 394), the
# style bar 3 pixels under the toolbar (top 423) with the panel 1 pixel in.
ADD_FRAME=(370 407)      # toolbar button "Add Frame" (106 pixels in)
STICKER_A1=(298 442)     # the panel's a1.gif button (32, 8), 20 x 20
LIBRARY_BUTTON=(440 439) # the panel's library button (168, 0), 32 x 31

# same_but_caption NAME EXPECTED ACTUAL: the two pictures are equal outside
# the top-left 82 x 65 pixels, where a new frame's caption editor lies.
same_but_caption() {
  local blank=(-fill black -draw "rectangle 0,0 81,64")
  convert "$2" "${blank[@]}" "PNG24:$MS_WORK/$1.a.png"
  convert "$3" "${blank[@]}" "PNG24:$MS_WORK/$1.b.png"
  images_equal "$MS_WORK/$1.a.png" "$MS_WORK/$1.b.png"
}

# expect_at_top_left NAME PICTURE: the copy is the screen's 320 x 240 at
# (200, 150) with PICTURE over its top-left corner, white see-through.
expect_at_top_left() {
  crop_image "$MS_WORK/screen.png" "$MS_WORK/$1.expected.png" 320x240+200+150
  convert "$MS_WORK/$1.expected.png" \( "$2" -transparent white \) -geometry +0+0 -composite \
    "PNG24:$MS_WORK/$1.expected.png"
  check "frames.$1" same_but_caption "$1" "$MS_WORK/$1.expected.png" "$MS_WORK/$1.copy.png"
}

# A sticker from the frames panel lands on the selection's top-left corner.
sticker_case() {
  local ini err
  ini=$(settings sticker)
  open_editor_with "$ini" alt+q || { fail frames.sticker_top_left "the editor did not open"; return; }
  mouse_drag 200 150 520 390
  sleep 0.3
  xdotool mousemove "${ADD_FRAME[@]}" click 1; sleep 0.5
  [ -n "${SHOTS:-}" ] && screenshot "$SHOTS/frames_panel.png"
  xdotool mousemove "${STICKER_A1[@]}" click 1; sleep 0.8
  [ -n "${SHOTS:-}" ] && screenshot "$SHOTS/sticker.png"
  if err=$(copy_selection sticker_top_left 450 300); then
    expect_at_top_left sticker_top_left "$(ls "$PROGRAM_DIR"/pictures/a1.gif "$PROGRAM_DIR"/a1.gif 2>/dev/null | head -n1)"
  else
    fail frames.sticker_top_left "$err"
  fi
  end_program
}

# The library's "Select it" of slot 0 puts its picture into the open editor;
# "Replace the image" stores the chosen file in a.ini, and a cancel stores
# the slot's path as it was.
library_case() {
  local ini lib err dialog
  ini=$(settings library b0 b0 "$(win_path "$MS_WORK/slot.png")")
  open_editor_with "$ini" alt+q || { fail frames.library_select_it "the editor did not open"; return; }
  mouse_drag 200 150 520 390
  sleep 0.3
  xdotool mousemove "${ADD_FRAME[@]}" click 1; sleep 0.5
  xdotool mousemove "${LIBRARY_BUTTON[@]}" click 1
  if ! lib=$(wait_window "$LIBRARY" 10); then
    fail frames.library_select_it "the library did not show"
    end_program
    return
  fi
  sleep 0.5
  [ -n "${SHOTS:-}" ] && screenshot "$SHOTS/library.png"
  click_window "$lib" 106 42  # slot 0's "Select it"
  sleep 0.8
  click_window "$lib" 226 66  # slot 1's "Replace the image"
  if dialog=$(wait_window Open 20); then
    sleep 0.5
    type_text "$(win_path "$MS_WORK/logo.png")"
    key Return
    sleep 1
    check frames.library_replace_writes_ini \
      test "$(ini_value "$PROGRAM_DIR/a.ini" b1 b1)" = "$(win_path "$MS_WORK/logo.png")"
  else
    fail frames.library_replace_writes_ini "no open dialog"
  fi
  click_window "$lib" 106 130  # slot 2's "Replace the image", cancelled
  if dialog=$(wait_window Open 20); then
    sleep 0.5
    key Escape
    sleep 1
    check frames.library_cancel_writes_ini test "$(ini_value "$PROGRAM_DIR/a.ini" b2 b2)" = b2
  else
    fail frames.library_cancel_writes_ini "no open dialog"
  fi
  [ -n "${SHOTS:-}" ] && screenshot "$SHOTS/library_filled.png"
  # The library lies over most of the selection (it stays open): a double
  # click right of it copies, and the copy must not take the library.
  if err=$(copy_selection library_select_it 510 300); then
    expect_at_top_left library_select_it "$MS_WORK/slot.png"
  else
    fail frames.library_select_it "$err"
  fi
  end_program
}

logo_case
sticker_case
library_case
finish
