#!/usr/bin/env bash
# The editor's "Save" in the real program, with the user's clipboard watched
# from outside: text the user copied survives a save and a window pick left
# with Escape; a picture another program copies while the dialog is open is
# not what gets saved; a save refused over a file another program holds open
# is told, keeps the editor and its snip, and leaves the folder as it was.
# a.ini stays as shipped throughout: the user changed no setting.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
DIALOG="Save"
CASE_PREFIX=save_dialog
CASES=(save_writes_the_snip save_keeps_clipboard_text others_picture_not_saved held_refusal_told
       held_folder_unchanged held_editor_kept pick_escape_keeps_clipboard_text settings_unchanged)
TEXT="copied by the user before the snip"
DRIVER_EXE=${MS_E2E_DRIVER:-$MS_BUILD/win64/e2e_driver.exe}

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 33
show_picture "$MS_WORK/screen.png"
# The selection of every road: 300 x 200 at (200, 200). Its toolbar lies
# under it, right edges aligned; "Save" is the eighth button (left at 2810 twips).
SNIP=300x200+200+200
crop_image "$MS_WORK/screen.png" "$MS_WORK/snip.png" "$SNIP"
SAVE_X=$((500 - 265 + 2810 / 15 + 8)) SAVE_Y=$((404 + 13))

# clip_text: the user copies TEXT in another program (xclip serves it until
# someone else takes the clipboard).
clip_text() {
  printf '%s' "$TEXT" | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  MS_PIDS+=("$!")
  sleep 0.3
}
clipboard_text() { timeout 5 xclip -selection clipboard -o 2>/dev/null; }
# select_snip: the selection dragged out in a fresh editor.
select_snip() {
  open_editor_with "$MS_ROOT/assets/a.ini" alt+q || return 1
  mouse_drag 200 200 500 400 && sleep 0.4
}
# dialog_name NAME: waits for the save dialog, types PROGRAM_DIR/NAME (whole:
# the dialog opens in the folder last saved to) over the suggested name in its
# name box
# (a click there gives it the keyboard) and confirms.
dialog_name() {
  local wid x y w h
  wid=$(wait_window "$DIALOG" 20) || return 1
  read -r x y w h < <(window_geometry "$wid")
  click_window "$wid" $((w / 2)) $((h - 49)) && sleep 0.2
  # The box holds the suggested name: selected whole, then typed over.
  key Home && key shift+End && sleep 0.1
  type_text "$(windows_path "$PROGRAM_DIR/$1")"
  key Return
}
# saved_file NAME: waits for PROGRAM_DIR/NAME to be written; prints its path.
saved_file() {
  local f
  for _ in $(seq 50); do
    f=$(find "$PROGRAM_DIR" -maxdepth 1 -iname "$1" -size +0 | head -n1)
    [ -n "$f" ] && { echo "$f"; return 0; }
    sleep 0.1
  done
  return 1
}
# settings_kept: notes a road whose a.ini is no longer the shipped one.
SETTINGS_CHANGED=""
# The folder a save went to is remembered (section Save): the user chose it.
settings_kept() {
  sed '/^\[Save\]/,/^\[/{/^\[Save\]/d;/^LastFolder=/d}' "$PROGRAM_DIR/a.ini" | tr -d '\r' | sed '/^$/d' >"$MS_WORK/ini-now"
  tr -d '\r' <"$MS_ROOT/assets/a.ini" | sed '/^$/d' >"$MS_WORK/ini-shipped"
  cmp -s "$MS_WORK/ini-shipped" "$MS_WORK/ini-now" ||
    SETTINGS_CHANGED+="$1: $(tr '\r\n' '|#' <"$PROGRAM_DIR/a.ini") "
}

# 1. Text on the clipboard; the toolbar's "Save" with a name typed: the file
# is the snip, and the text is still there to paste.
clip_text
if select_snip; then
  xdotool mousemove "$SAVE_X" "$SAVE_Y" click 1
  if dialog_name "kept_text.png" && f=$(saved_file kept_text.png); then
    check save_dialog.save_writes_the_snip images_equal "$MS_WORK/snip.png" "$f"
    DONE+=(save_writes_the_snip)
  else
    ko save_writes_the_snip "no kept_text.png in $PROGRAM_DIR ($(ls "$PROGRAM_DIR" | tr '\n' ' '))"
  fi
  wait_window_gone "$EDITOR" 10 || ko save_writes_the_snip "the editor stayed open after the save"
  got=$(clipboard_text)
  if [ "$got" = "$TEXT" ]; then ok save_keeps_clipboard_text; else ko save_keeps_clipboard_text "the clipboard holds \"$got\""; fi
  settings_kept "after a save"
  end_program
else
  ko save_writes_the_snip "the editor did not open"
fi

# 2. Ctrl+S, and while the dialog is open another program copies a 50 x 50
# yellow square: the file is still the snip.
if select_snip; then
  key ctrl+s
  if wait_window "$DIALOG" 20 >/dev/null; then
    convert -size 50x50 xc:yellow -type TrueColor "BMP3:$MS_WORK/yellow.bmp"
    xclip -quiet -selection clipboard -t image/bmp -i "$MS_WORK/yellow.bmp" >/dev/null 2>&1 &
    MS_PIDS+=("$!")
    sleep 0.3
  fi
  if dialog_name "others.png" && f=$(saved_file others.png); then
    check save_dialog.others_picture_not_saved images_equal "$MS_WORK/snip.png" "$f"
    DONE+=(others_picture_not_saved)
  else
    ko others_picture_not_saved "no others.png in $PROGRAM_DIR ($(ls "$PROGRAM_DIR" | tr '\n' ' '))"
  fi
  end_program
else
  ko others_picture_not_saved "the editor did not open"
fi

# 3. A save over a file that another program holds open: the error box says
# so, the folder lists what it listed before, and the editor keeps the snip,
# which Enter then copies.
if select_snip; then
  printf 'the picture that was here' >"$PROGRAM_DIR/held.png"
  cp "$DRIVER_EXE" "$MS_WORK/holder.exe"
  (cd "$MS_WORK" && MS_HOLD_FILE=$(windows_path "$PROGRAM_DIR/held.png") MS_HOLD_RELEASE=$(windows_path "$MS_WORK/release") \
     exec "$WINE" ./holder.exe hold-file) \
    </dev/null >"$MS_WORK/holder.log" 2>&1 &
  MS_PIDS+=("$!")
  for _ in $(seq 100); do grep -q holding "$MS_WORK/holder.log" && break; sleep 0.1; done
  before=$(ls -A "$PROGRAM_DIR")
  xdotool mousemove "$SAVE_X" "$SAVE_Y" click 1
  dialog_name "held.png"
  if box=$(wait_window "错误" 10); then
    ok held_refusal_told
    read -r _ _ w h < <(window_geometry "$box")
    click_window "$box" $((w / 2)) $((h - 25))   # its OK button
    wait_window_gone "错误" 5
  else
    ko held_refusal_told "no error box after a save over a held file"
  fi
  sleep 0.5
  after=$(ls -A "$PROGRAM_DIR")
  if [ "$after" = "$before" ] && [ "$(cat "$PROGRAM_DIR/held.png")" = 'the picture that was here' ]; then
    ok held_folder_unchanged
  else
    ko held_folder_unchanged "before: $(echo $before) after: $(echo $after)"
  fi
  touch "$MS_WORK/release"
  if wait_window "$EDITOR" 2 >/dev/null; then
    mouse_move 350 300 && xdotool click 1 && sleep 0.3   # a click inside gives the editor the keyboard back
    key Return
    if wait_window_gone "$EDITOR" 10 && clipboard_image "$MS_WORK/held_copy.png" &&
       images_equal "$MS_WORK/snip.png" "$MS_WORK/held_copy.png"; then
      ok held_editor_kept
    else
      ko held_editor_kept "the snip was not copied after the refused save"
    fi
  else
    ko held_editor_kept "the editor closed after the refused save"
  fi
  end_program
else
  fail_rest "the editor did not open"
fi

# 4. Text on the clipboard; Alt+Z, a window picked, the editor left with
# Escape: the text is still there.
clip_text
start_program "$MS_ROOT/assets/a.ini" || fail_rest "the program did not start"
if main=$(wait_window "Morrowen Snip" 30); then
  sleep 0.5
  press_program_hotkey "$main" alt+z
  sleep 0.8
  mouse_move 900 600 && sleep 0.6
  xdotool click 1
  if wait_window "$EDITOR" 20 >/dev/null; then
    sleep 0.5
    key Escape
    wait_window_gone "$EDITOR" 10
    got=$(clipboard_text)
    if [ "$got" = "$TEXT" ]; then
      ok pick_escape_keeps_clipboard_text
    else
      ko pick_escape_keeps_clipboard_text "the clipboard holds \"$got\" ($(clipboard_targets | tr '\n' ' '))"
    fi
  else
    ko pick_escape_keeps_clipboard_text "the editor did not open after the pick"
  fi
  settings_kept "after a pick"
  if [ -z "$SETTINGS_CHANGED" ]; then ok settings_unchanged; else ko settings_unchanged "$SETTINGS_CHANGED"; fi
else
  ko pick_escape_keeps_clipboard_text "no main window"
fi
end_program

fail_rest "not reached"
