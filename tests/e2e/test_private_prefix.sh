#!/usr/bin/env bash
# The tests and `make run` (scripts/run.sh) never use the user's own Wine set-up:
# with WINEPREFIX pointing at a folder of theirs, the harness and the program
# still run in the project's prefix, and that folder is left exactly as it was.
source "$(dirname "$0")/lib.sh"

MAIN="Morrowen Snip"
# What the caller chose, before ensure_prefix fills it in: make run sees the same.
CALLER_MS_WINEPREFIX=${MS_WINEPREFIX-unset}
PRIVATE=${MS_WINEPREFIX:-$MS_BUILD/wineprefix}

USER_PREFIX=$MS_WORK/user-prefix
mkdir -p "$USER_PREFIX/drive_c" && echo "WINE REGISTRY Version 2" >"$USER_PREFIX/user.reg"
listing() { find "$1" -printf '%P %s %T@\n' | sort; }
BEFORE=$(listing "$USER_PREFIX")
untouched() {
  [ "$(listing "$USER_PREFIX")" = "$BEFORE" ] ||
    { echo "the user's prefix changed: $(diff <(echo "$BEFORE") <(listing "$USER_PREFIX") | head -5)" >&2; return 1; }
}

export WINEPREFIX=$USER_PREFIX
if ! start_display || ! ensure_prefix || ! start_wineserver; then
  fail prefix.harness "no X display or Wine prefix"; fail prefix.run "not reached"; finish
fi
# start_wineserver has run a Windows program by now.
if [ "$WINEPREFIX" = "$PRIVATE" ]; then check prefix.harness untouched
else fail prefix.harness "ensure_prefix chose $WINEPREFIX, not $PRIVATE"; fi

# make run, as a user with their own WINEPREFIX starts it (its settings folder
# is a scratch one: build/run/ keeps the user's settings).
run_env=(WINEPREFIX="$USER_PREFIX" MS_RUN_DIR="$MS_WORK/run")
if [ "$CALLER_MS_WINEPREFIX" = unset ]; then run_env=(-u MS_WINEPREFIX "${run_env[@]}")
else run_env+=(MS_WINEPREFIX="$CALLER_MS_WINEPREFIX"); fi
env "${run_env[@]}" "$MS_ROOT/scripts/run.sh" </dev/null >"$MS_WORK/run.log" 2>&1 &
RUN_PID=$!
MS_PIDS+=("$RUN_PID")

# run.sh waits on the program, its only child.
if wait_window "$MAIN" 60 >/dev/null && program=$(pgrep -P "$RUN_PID" | head -n1) && [ -n "$program" ]; then
  MS_PIDS+=("$program")
  used=$(tr '\0' '\n' <"/proc/$program/environ" | sed -n 's/^WINEPREFIX=//p')
  kill "$program"
  wait_exit "$RUN_PID" 10
  if [ "$used" != "$PRIVATE" ]; then fail prefix.run "the program ran in \"$used\", not $PRIVATE"
  else check prefix.run untouched; fi
else
  fail prefix.run "make run's program showed no main window: $(tail -3 "$MS_WORK/run.log")"
fi
finish
