#!/usr/bin/env bash
# The toolbar and markup as a user meets them: each shape drawn with the mouse
# and found in the copy from "Save to clipboard" (its pixels in the chosen
# colour, nothing else changed), "Revert" and "Redo" seen in the copy, "Save"
# through the dialog to a file, and "Exit snip" leaving the clipboard alone.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
CASE_PREFIX=markup
CASES=(rectangle ellipse_in_blue arrow text revert redo save exit)
SHAPE_DIFF="$MS_ROOT/tests/e2e/tools/shape_diff.py"

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 33
show_picture "$MS_WORK/screen.png"

# The selection every case drags out: 500 x 400 at (200, 200). The toolbar
# sits under it, right edges aligned: left 700 - 265, top 600 + 4; its style
# bar 3 pixels below the toolbar.
SEL=500x400+200+200
TB_X=435 TB_Y=604
BAR_X=$TB_X BAR_Y=$((TB_Y + 26 + 3))
crop_image "$MS_WORK/screen.png" "$MS_WORK/clean.png" "$SEL"

# button INDEX: clicks toolbar button INDEX (its left edges in twips by index).
BUTTON_TWIPS=(2071 3580 2810 3180 1220 860 480 120 2441 1590)
button() {
  xdotool mousemove $((TB_X + BUTTON_TWIPS[$1] / 15 + 8)) $((TB_Y + 13)) && sleep 0.15
  xdotool click 1 && sleep 0.3
}
# swatch K: clicks palette swatch K (0..15) in the style bar.
swatch() {
  local x=$((BAR_X + 79 + (480 + 240 * ($1 % 8)) / 15 + 6)) y=$((BAR_Y + 4 + ($1 / 8) * 220 / 15 + 6))
  xdotool mousemove "$x" "$y" && sleep 0.15 && xdotool click 1 && sleep 0.2
}

# open_editor: the region editor with the shipped settings, the selection dragged out.
open_editor() {
  open_editor_with "$MS_ROOT/assets/a.ini" alt+q || return 1
  mouse_drag 200 200 700 600
  sleep 0.3
}
# copy_out CASE: "Save to clipboard"; the editor must close and the clipboard
# hold a picture, saved as $MS_WORK/CASE.png.
copy_out() {
  button 1
  wait_window_gone "$EDITOR" 10 || { ko "$1" "the editor stayed open after Save to clipboard"; return 1; }
  clipboard_image "$MS_WORK/$1.png" || { ko "$1" "the clipboard holds no picture"; return 1; }
}
# expect_shape CASE R,G,B BOX MIN [any]: the copy differs from the clean
# selection only by the shape (see tools/shape_diff.py; BOX in snip pixels).
expect_shape() {
  local why
  if why=$(python3 "$SHAPE_DIFF" "$MS_WORK/clean.png" "$MS_WORK/$1.png" "$2" "$3" "$4" "${5:-}" 2>&1); then
    ok "$1"
  else
    ko "$1" "$why"
  fi
}
# run_case CASE: opens the editor; the case's steps follow, then end_case.
run_case() { open_editor || { ko "$1" "the editor did not open"; return 1; }; }

# A 3-pixel rectangle in the default red from (300, 300) to (400, 380).
if run_case rectangle; then
  button 7 && mouse_drag 300 300 400 380
  copy_out rectangle && expect_shape rectangle 255,0,0 98,98,202,182 500
  end_program
fi

# The palette's blue, then an ellipse with the 3-pixel pen preset.
if run_case ellipse_in_blue; then
  button 6 && swatch 13
  mouse_drag 300 300 420 380
  copy_out ellipse_in_blue && expect_shape ellipse_in_blue 0,0,255 97,97,223,183 250
  end_program
fi

# An arrow dragged beyond the selection's right edge ends on it (x 700).
if run_case arrow; then
  button 4 && mouse_drag 300 450 900 450
  copy_out arrow && expect_shape arrow 255,0,0 97,238,501,262 300
  end_program
fi

# Text: a click places the box, the typed text goes in at the second click.
if run_case text; then
  button 5
  xdotool mousemove 300 300 click 1 && sleep 0.4
  type_text "Snip 42" && sleep 0.3
  xdotool mousemove 600 500 click 1 && sleep 0.4
  copy_out text && expect_shape text 255,0,0 100,100,180,125 15 any
  end_program
fi

# "Revert" takes the rectangle back: the copy is the clean selection.
if run_case revert; then
  button 7 && mouse_drag 300 300 400 380
  button 0
  if copy_out revert; then
    expect_same_picture revert "$MS_WORK/clean.png" "$MS_WORK/revert.png"
  fi
  end_program
fi

# "Redo" brings it back.
if run_case redo; then
  button 7 && mouse_drag 300 300 400 380
  button 0 && button 8
  copy_out redo && expect_shape redo 255,0,0 98,98,202,182 500
  end_program
fi

# "Save": the dialog, a name, Enter; the file holds the selection's pixels.
if run_case save; then
  remember_save_folder   # the dialog opens there
  button 2
  if dlg=$(wait_window "Save" 20); then
    read -r _ _ w h < <(window_geometry "$dlg")
    click_window "$dlg" $((w / 2)) $((h - 49)) && sleep 0.2
    key Home && key shift+End   # over the suggested name
    type_text "markup_saved" && key Return
    saved=""
    for _ in $(seq 50); do
      saved=$(find "$PROGRAM_DIR" -maxdepth 1 -iname 'markup_saved.png' -size +0 | head -n1)
      [ -n "$saved" ] && break
      sleep 0.1
    done
    if [ -z "$saved" ]; then
      ko save "no markup_saved.png in the program's folder"
    elif ! wait_window_gone "$EDITOR" 10; then
      ko save "the editor stayed open after the save"
    else
      expect_same_picture save "$MS_WORK/clean.png" "$saved"
    fi
  else
    ko save "no save dialog"
  fi
  end_program
fi

# "Exit snip": the editor closes and the clipboard keeps what it held.
if run_case exit; then
  xclip -quiet -selection clipboard -i <<<"kept text" >/dev/null 2>&1 &
  MS_PIDS+=("$!")
  sleep 0.3
  button 3
  if ! wait_window_gone "$EDITOR" 10; then
    ko exit "the editor stayed open"
  elif [ "$(timeout 5 xclip -selection clipboard -o 2>/dev/null)" != "kept text" ]; then
    ko exit "the clipboard changed"
  else
    ok exit
  fi
  end_program
fi

fail_rest "not reached"
