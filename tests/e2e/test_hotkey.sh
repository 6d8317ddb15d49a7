#!/usr/bin/env bash
# The main window's hotkeys from outside: a first start writes no settings
# file (the user changed nothing), and with the shipped a.ini, Alt+Q typed on
# the X keyboard reaches the program as hotkey number 1. The main window runs
# inside the e2e driver (its first-start and alt-q roads), started in a fresh
# folder as the program keeps a.ini beside itself.
source "$(dirname "$0")/lib.sh"

DRIVER_EXE=${MS_E2E_DRIVER:-$MS_BUILD/win64/e2e_driver.exe}
MAIN="Morrowen Snip"
CASE_PREFIX=hotkey
CASES=(first_start_writes_nothing window_appears alt_q_is_hotkey_1 settings_unchanged)

# run_live DIR ROAD: starts the driver in DIR on one road; sets LIVE_PID.
run_live() {
  cp "$DRIVER_EXE" "$1/e2e_driver.exe"
  (cd "$1" && exec "$WINE" ./e2e_driver.exe "$2") </dev/null >"$1/out.log" 2>&1 &
  LIVE_PID=$!
  MS_PIDS+=("$LIVE_PID")
}

[ -f "$DRIVER_EXE" ] || fail_rest "no driver at $DRIVER_EXE"
start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

# 1. A first start, no a.ini: none is made, since the user changed nothing.
first=$(mktemp -d "$MS_WORK/first.XXXX")
run_live "$first" first-start
if wait_exit "$LIVE_PID" 60 && [ "$EXIT_CODE" -eq 0 ]; then
  if [ ! -e "$first/a.ini" ]; then
    ok first_start_writes_nothing
  else
    ko first_start_writes_nothing "a.ini was made: $(tr '\r\n' '|#' <"$first/a.ini" 2>/dev/null)"
  fi
else
  ko first_start_writes_nothing "the program failed: $(tail -n 5 "$first/out.log" | tr '\r\n' '  ')"
fi

# 2. The shipped settings, and Alt+Q from the keyboard. A hotkey reaches the
# program only while one of its windows has the focus: click it first.
live=$(mktemp -d "$MS_WORK/live.XXXX")
cp "$MS_ROOT/assets/a.ini" "$live/a.ini"
run_live "$live" alt-q
if wid=$(wait_window "$MAIN" 30); then
  ok window_appears
else
  fail_rest "no visible window titled \"$MAIN\" within 30 s"
fi
sleep 0.5                    # the start timer hands over to the hotkey loop after 10 ms
click_window "$wid" 430 330  # an empty corner of the window
key alt+q
if wait_exit "$LIVE_PID" 20 && [ "$EXIT_CODE" -eq 0 ] &&
   grep -q 'HotKeyPress number=1 key=81 ctrl=0 alt=1 shift=0' "$live/out.log"; then
  ok alt_q_is_hotkey_1
else
  ko alt_q_is_hotkey_1 "$(grep -E 'HotKeyPress|registered|Failure|Which is' "$live/out.log" | tr '\r\n' '  ')"
fi
if cmp -s "$MS_ROOT/assets/a.ini" "$live/a.ini"; then
  ok settings_unchanged
else
  ko settings_unchanged "a.ini was rewritten: $(tr '\r\n' '|#' <"$live/a.ini")"
fi

finish
