#!/usr/bin/env bash
# A second start of the program while one runs: the running copy's hidden
# main window comes back, the second copy leaves at once, and nothing of the
# user's settings or hotkeys is lost.
source "$(dirname "$0")/lib.sh"

MAIN="Morrowen Snip"
EDITOR="Morrowen Snip editor"
HIDE_SPOT=(392 20)
CASE_PREFIX=second_start
CASES=(second_copy_leaves first_window_forward settings_unchanged hotkeys_still_work)

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

start_program "$MS_ROOT/assets/a.ini" || fail_rest "the program could not be started"
FIRST_PID=$PROGRAM_PID FIRST_DIR=$PROGRAM_DIR
main_wid=$(wait_window "$MAIN" 30) || fail_rest "no main window within 30 s"
sleep 0.5
click_window "$main_wid" "${HIDE_SPOT[@]}"
wait_window_gone "$MAIN" 10 || fail_rest "the hide picture did not hide the main window"

start_program "$MS_ROOT/assets/a.ini" || fail_rest "the second copy could not be started"
if wait_exit "$PROGRAM_PID" 15 && [ "$EXIT_CODE" -eq 0 ] && kill -0 "$FIRST_PID" 2>/dev/null; then
  ok second_copy_leaves
else
  ko second_copy_leaves "the second copy is still running or failed (code ${EXIT_CODE:-none}), or the first ended"
fi
if main_wid=$(wait_window "$MAIN" 10) &&
   [ "$(xdotool search --onlyvisible --name "^$MAIN\$" | wc -l)" -eq 1 ]; then
  ok first_window_forward
else
  ko first_window_forward "the running copy's main window is not the one window shown"
fi
if cmp -s "$MS_ROOT/assets/a.ini" "$FIRST_DIR/a.ini" && cmp -s "$MS_ROOT/assets/a.ini" "$PROGRAM_DIR/a.ini"; then
  ok settings_unchanged
else
  ko settings_unchanged "an a.ini was rewritten: $(tr '\r\n' '|#' <"$FIRST_DIR/a.ini")"
fi

sleep 0.3
press_program_hotkey "$main_wid" alt+q
if ewid=$(wait_window "$EDITOR" 15); then
  ok hotkeys_still_work
  key Escape
  wait_window_gone "$EDITOR" 10
else
  ko hotkeys_still_work "Alt+Q opened no editor in the running copy"
fi

finish
