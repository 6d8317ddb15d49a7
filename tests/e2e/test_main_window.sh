#!/usr/bin/env bash
# The program as a user starts it: the main window with the shipped a.ini,
# Alt+Q hides it and opens the region editor over the screen as it was
# without the main window, a dragged selection is copied by a double click.
# A second start: "Edit Logo" stores the chosen picture's path in a.ini, the
# hide picture hides the window, a click on the tray icon
# (Wine shows its own notification area when the desktop has none) brings it
# back, and the exit picture ends the program and removes the icon.
source "$(dirname "$0")/lib.sh"

MAIN="Morrowen Snip"
EDITOR="Morrowen Snip editor"
CASE_PREFIX=main_window
CASES=(window_appears client_size hotkey_hides_main editor_opens selection_copied runs_on_hidden
       tray_icon edit_logo hide_picture tray_restores exit_picture)

# Window-relative spots: the "Logo Preview" caption (a press there does
# nothing but focus the window), the hide and the exit pictures.
FOCUS_SPOT=(310 64)
HIDE_SPOT=(392 20)
EXIT_SPOT=(424 20)
EDIT_LOGO_SPOT=(330 183)
TRAY="Wine System Tray"
TRAY_ICON_SPOT=(13 32)   # the first icon of Wine's notification-area window

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 31
show_picture "$MS_WORK/screen.png"

# start_main [FILE...]: the program in a fresh folder with the shipped
# settings (and FILEs); sets MAIN_WID.
start_main() {
  start_program "$MS_ROOT/assets/a.ini" "$@" || return 1
  MAIN_WID=$(wait_window "$MAIN" 30)
}

# stop_program: ends the running copy (a hidden window has no close of its own).
stop_program() {
  kill "$PROGRAM_PID" 2>/dev/null
  wait_exit "$PROGRAM_PID" 10 || kill -9 "$PROGRAM_PID" 2>/dev/null
}

# 1. Start, Alt+Q, select, double-click.
start_main || fail_rest "no visible window titled \"$MAIN\" within 30 s"
ok window_appears
read -r mx my mw mh < <(window_geometry "$MAIN_WID")
if [ "${mw}x$mh" = 444x343 ]; then ok client_size; else ko client_size "window is ${mw}x$mh"; fi
sleep 0.5   # the start timer hands over to the hotkey loop after 10 ms
screenshot "$MS_WORK/main.png"
[ "${MS_KEEP_WORK:-}" = 1 ] && ms_log "the main window as shown: $MS_WORK/main.png"

click_window "$MAIN_WID" "${FOCUS_SPOT[@]}"
key alt+q
if wait_window_gone "$MAIN" 10; then ok hotkey_hides_main; else ko hotkey_hides_main "still shown after Alt+Q"; fi
if ewid=$(wait_window "$EDITOR" 20); then
  ok editor_opens
  sleep 0.5   # let the frozen picture reach the screen
  # A selection over the place the main window had: the frozen picture must
  # show the screen as it was without it.
  sx=$((mx - 120)) sy=$((my - 60))
  mouse_drag "$sx" "$sy" $((sx + 400)) $((sy + 260))
  sleep 0.3
  xdotool mousemove $((sx + 200)) $((sy + 130)) click --repeat 2 --delay 80 1
  if ! wait_window_gone "$EDITOR" 10; then
    ko selection_copied "the editor did not close after the double click"
  elif ! clipboard_image "$MS_WORK/copied.png"; then
    ko selection_copied "the clipboard holds no picture"
  else
    crop_image "$MS_WORK/screen.png" "$MS_WORK/expected.png" "400x260+$sx+$sy"
    expect_same_picture selection_copied "$MS_WORK/expected.png" "$MS_WORK/copied.png"
  fi
else
  ko editor_opens "no editor within 20 s of Alt+Q"
  ko selection_copied "no editor"
fi
sleep 0.3
if kill -0 "$PROGRAM_PID" 2>/dev/null && ! xdotool search --onlyvisible --name "^$MAIN\$" >/dev/null 2>&1; then
  ok runs_on_hidden
else
  ko runs_on_hidden "the program ended, or its main window came back"
fi
stop_program

# 2. The tray icon, Edit Logo, hide, restore from the tray, exit.
convert -size 40x20 xc:red "PNG24:$MS_WORK/logo.png"
if ! start_main "$MS_WORK/logo.png"; then
  for c in tray_icon edit_logo hide_picture tray_restores exit_picture; do ko "$c" "no main window on the second start"; done
  finish
fi
if tray_wid=$(wait_window "$TRAY" 10); then ok tray_icon; else ko tray_icon "no notification area window"; fi

click_window "$MAIN_WID" "${EDIT_LOGO_SPOT[@]}"
if dialog=$(wait_window "Open" 10); then
  focus_window "$dialog"
  type_text logo.png
  key Return
  # The program folder as Wine names it: drive Z: is the root of the file system.
  want="Z:$(tr / '\\' <<<"$PROGRAM_DIR")\\logo.png"
  got=""
  for _ in $(seq 30); do
    got=$(ini_value "$PROGRAM_DIR/a.ini" logo logo)
    [ -n "$got" ] && break
    sleep 0.1
  done
  if [ "$got" = "$want" ]; then ok edit_logo; else ko edit_logo "a.ini holds logo=\"$got\", not \"$want\""; fi
else
  ko edit_logo "no open dialog after a click on Edit Logo"
fi

click_window "$MAIN_WID" "${HIDE_SPOT[@]}"
if wait_window_gone "$MAIN" 10 && kill -0 "$PROGRAM_PID" 2>/dev/null; then
  ok hide_picture
else
  ko hide_picture "the window is still shown, or the program ended"
fi

if [ -n "$tray_wid" ]; then
  click_window "$tray_wid" "${TRAY_ICON_SPOT[@]}"
  if MAIN_WID=$(wait_window "$MAIN" 10); then
    ok tray_restores
  else
    ko tray_restores "a click on the tray icon did not show the window"
  fi
else
  ko tray_restores "no tray icon to click"
fi

if xdotool search --onlyvisible --name "^$MAIN\$" >/dev/null 2>&1; then
  sleep 0.3
  click_window "$MAIN_WID" "${EXIT_SPOT[@]}"
  if ! wait_exit "$PROGRAM_PID" 10; then
    ko exit_picture "still running 10 s after the click"
    stop_program
  elif [ "$EXIT_CODE" -ne 0 ]; then
    ko exit_picture "exit code $EXIT_CODE"
  elif ! wait_window_gone "$TRAY" 5; then
    ko exit_picture "the notification area still shows the icon"
  else
    ok exit_picture
  fi
else
  ko exit_picture "the main window is not shown to click"
  stop_program
fi

finish
