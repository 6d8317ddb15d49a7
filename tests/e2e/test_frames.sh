#!/usr/bin/env bash
# Pictures on the snip: the logo stamped by the logo editor at "Lower right",
# a sticker from the frames panel at the selection's top-left, the logo
# library's "Select it" and "Replace the image", each checked in the copy on
# the X clipboard or in a.ini.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
MAIN="Morrowen Snip"
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

# open_editor INI COMBO: starts the program with INI and opens an editor with
# the hotkey COMBO, as a user does (a click on the main window first).
open_editor() {
  local main
  start_program "$1" || return 1
  main=$(wait_window "$MAIN" 30) || return 1
  sleep 0.5
  press_program_hotkey "$main" "$2"
  wid=$(wait_window "$EDITOR" 30) || return 1
  sleep 0.5
}

end_program() {
  kill "$PROGRAM_PID" 2>/dev/null
  wait_exit "$PROGRAM_PID" 10 || kill -9 "$PROGRAM_PID" 2>/dev/null
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
  open_editor "$ini" alt+a || { fail frames.logo_lower_right "the logo editor did not open"; return; }
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

logo_case
finish
