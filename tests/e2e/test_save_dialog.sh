#!/usr/bin/env bash
# The editor's save dialog driven from outside with the keyboard: a picture
# put on the X clipboard by this script is what CutdSave saves. Cancelling
# keeps it on the clipboard; a name typed without an extension gives a PNG
# file in the folder the dialog opens in (the last one saved to, as a.ini
# says: here the program's folder) with exactly that picture, clears the
# clipboard, and that folder stays remembered. The program here is the e2e
# driver, whose save-twice road runs CutdSave twice on a real editor.
source "$(dirname "$0")/lib.sh"

DIALOG="Save"
CASE_PREFIX=save_dialog
CASES=(dialog_appears cancel_keeps_clipboard saved_as_png saved_pixels folder_remembered clipboard_cleared
       program_exits)
# focus_name_box WID: a click into the dialog's file name box, which gives
# the dialog the keyboard (no window manager here to do it).
focus_name_box() {
  local x y w h
  read -r x y w h < <(window_geometry "$1")
  click_window "$1" $((w / 2)) $((h - 49))
  sleep 0.2
}
# wid_gone WID [SECONDS]: succeeds once the window WID is no longer shown
# (the next dialog has the same title, so the title cannot tell).
wid_gone() {
  local i
  for ((i = 0; i < ${2:-10} * 10; i++)); do
    xdotool search --onlyvisible --name "^$DIALOG\$" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  return 1
}

MS_EXE=${MS_E2E_DRIVER:-$MS_BUILD/win64/e2e_driver.exe}
start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

# The snip: small, every pixel different, put on the X clipboard as a bitmap.
make_pattern "$MS_WORK/snip.png" 97x41 5
convert "$MS_WORK/snip.png" -type TrueColor "BMP3:$MS_WORK/snip.bmp"
# -quiet keeps xclip in the foreground, so the pid below is the one serving the
# clipboard (stopped at exit) until Wine takes the clipboard over.
xclip -quiet -selection clipboard -t image/bmp -i "$MS_WORK/snip.bmp" >/dev/null 2>&1 &
MS_PIDS+=("$!")
sleep 0.3

start_program -- save-twice ||
  fail_rest "cannot start $MS_EXE"
# Read at each dialog: the second one opens in the program's folder.
remember_save_folder

# First dialog: the user cancels.
if wid=$(wait_window "$DIALOG" 40); then
  ok dialog_appears
else
  fail_rest "no window titled \"$DIALOG\" within 40 s"
fi
focus_name_box "$wid"
key Escape
wid_gone "$wid" 10 || fail_rest "the dialog stayed open after Escape"
sleep 0.5
if clipboard_image "$MS_WORK/kept.png" && images_equal "$MS_WORK/snip.png" "$MS_WORK/kept.png" 2>/dev/null; then
  ok cancel_keeps_clipboard
else
  ko cancel_keeps_clipboard "the clipboard no longer holds the snip after a cancel"
fi

# Second dialog: a name without an extension, confirmed with Enter.
first=$wid
for _ in $(seq 200); do
  wid=$(xdotool search --onlyvisible --name "^$DIALOG\$" 2>/dev/null | grep -vx "$first" | head -n1)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || fail_rest "the second dialog did not appear"
focus_name_box "$wid"
key Home && key shift+End   # over the suggested name
type_text "e2e_snip"
key Return
wid_gone "$wid" 10 || fail_rest "the dialog stayed open after Enter"

# The extension added is the first type's, "PNG"; Wine writes it in lower case.
saved=""
for _ in $(seq 50); do
  saved=$(find "$PROGRAM_DIR" -maxdepth 1 -iname 'e2e_snip.png' -size +0 | head -n1)
  [ -n "$saved" ] && break
  sleep 0.1
done
if [ -s "$saved" ] && [ "$(identify -format '%m' "$saved" 2>/dev/null)" = PNG ]; then
  ok saved_as_png
  check save_dialog.saved_pixels images_equal "$MS_WORK/snip.png" "$saved"
  DONE+=(saved_pixels)
else
  ko saved_as_png "no PNG file e2e_snip.png in $PROGRAM_DIR ($(ls "$PROGRAM_DIR" | tr '\n' ' '))"
fi

remembered=$(ini_value "$PROGRAM_DIR/a.ini" Save LastFolder)
if [ "${remembered,,}" = "$(windows_path "$PROGRAM_DIR" | tr '[:upper:]' '[:lower:]')" ]; then
  ok folder_remembered
else
  ko folder_remembered "a.ini's [Save] LastFolder is \"$remembered\""
fi

if clipboard_targets | grep -qx 'image/bmp'; then
  ko clipboard_cleared "the clipboard still offers a bitmap after the save"
else
  ok clipboard_cleared
fi

if wait_exit "$PROGRAM_PID" 20; then
  if [ "$EXIT_CODE" -eq 0 ]; then ok program_exits; else ko program_exits "exit code $EXIT_CODE"; fi
else
  ko program_exits "still running 20 s after the second dialog"
fi

finish
