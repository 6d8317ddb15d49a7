#!/usr/bin/env bash
# The command line: --screen --save writes exactly the screen with and without
# a running copy (which stays the one resident copy); --region is handed to the
# running copy, whose editor opens; --last after two copies gives the second;
# without a running copy --region runs its own editor and --save writes the
# snip; bad options end with code 2 and a line; a.ini is never changed.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
MAIN="Morrowen Snip"
CASE_PREFIX=command_line
CASES=(help_and_bad_options screen_save_alone region_alone_save screen_save_running one_resident_copy
       region_handed_over last_gives_second delayed_countdown ini_unchanged)

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 33
show_picture "$MS_WORK/screen.png"

# cli ARG...: runs a second copy of the exe from the program's folder, to its
# end; its code goes to CLI_CODE, its output to cli.out and cli.err there.
cli() {
  (cd "$PROGRAM_DIR" && timeout 60 "$WINE" ./MorrowenSnip.exe "$@" >cli.out 2>cli.err </dev/null)
  CLI_CODE=$?
}

# decide CASE COMMAND...: the case passes when COMMAND succeeds.
decide() {
  local name=$1 err; shift
  if err=$("$@" 2>&1 >/dev/null); then ok "$name"; else ko "$name" "${err:-$* failed}"; fi
}

# Copies of the exe started by this script that still run (other runs on
# this machine are not counted).
our_copies() {
  local pid n=0
  for pid in $(pgrep -f 'MorrowenSnip\.exe'); do
    [[ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" == "$MS_WORK"/* ]] && n=$((n + 1))
  done
  echo "$n"
}

# A folder with the program but no copy running.
start_program "$MS_ROOT/assets/a.ini" -- --help || fail_rest "cannot start the program"
wait_exit "$PROGRAM_PID" 30
if [ "${EXIT_CODE:-}" = 0 ] && grep -q "^Usage: MorrowenSnip.exe" "$PROGRAM_DIR/stdout.log"; then
  cli --screen --delay 61
  if [ "$CLI_CODE" = 2 ] && grep -q -- "--delay" "$PROGRAM_DIR/cli.err"; then
    ok help_and_bad_options
  else
    ko help_and_bad_options "--delay 61 gave code $CLI_CODE: $(head -c 200 "$PROGRAM_DIR/cli.err")"
  fi
else
  ko help_and_bad_options "--help gave code ${EXIT_CODE:-none}: $(head -c 200 "$PROGRAM_DIR/stdout.log")"
fi
ALONE_DIR=$PROGRAM_DIR

cli --screen --save 'shot one.png'
if [ "$CLI_CODE" = 0 ] && [ -f "$PROGRAM_DIR/shot one.png" ]; then
  decide screen_save_alone images_equal "$MS_WORK/screen.png" "$PROGRAM_DIR/shot one.png"
else
  ko screen_save_alone "code $CLI_CODE, $(cat "$PROGRAM_DIR/cli.err")"
fi

# No copy runs: --region opens this process's own editor; the snip goes to the file.
(cd "$PROGRAM_DIR" && exec timeout 60 "$WINE" ./MorrowenSnip.exe --region --save region.bmp \
  >region.out 2>region.err </dev/null) &
REGION_PID=$!
MS_PIDS+=("$REGION_PID")
if wait_window "$EDITOR" 30 >/dev/null; then
  sleep 0.5
  mouse_drag 300 200 620 440
  sleep 0.2
  xdotool mousemove 400 300 click --repeat 2 --delay 80 1
  if wait_exit "$REGION_PID" 20 && [ "$EXIT_CODE" = 0 ] && [ -f "$PROGRAM_DIR/region.bmp" ]; then
    crop_image "$MS_WORK/screen.png" "$MS_WORK/region.expected.png" 320x240+300+200
    convert "bmp:$PROGRAM_DIR/region.bmp" "PNG24:$MS_WORK/region.png"
    decide region_alone_save images_equal "$MS_WORK/region.expected.png" "$MS_WORK/region.png"
  else
    ko region_alone_save "code ${EXIT_CODE:-none}, $(cat "$PROGRAM_DIR/region.err")"
  fi
else
  ko region_alone_save "no editor from --region"
fi

# A running copy.
start_program "$MS_ROOT/assets/a.ini" || fail_rest "cannot start the program"
RESIDENT_PID=$PROGRAM_PID
main=$(wait_window "$MAIN" 30) || fail_rest "no main window"
sleep 1
screenshot "$MS_WORK/with_main.png"
cli --screen --save shot.png
if [ "$CLI_CODE" = 0 ] && [ -f "$PROGRAM_DIR/shot.png" ]; then
  decide screen_save_running images_equal "$MS_WORK/with_main.png" "$PROGRAM_DIR/shot.png"
else
  ko screen_save_running "code $CLI_CODE, $(cat "$PROGRAM_DIR/cli.err")"
fi

# region_copy NAME WxH+X+Y X1 Y1 X2 Y2: --region handed to the running copy,
# a selection dragged in its editor and copied by a double click.
region_copy() {
  cli --region
  [ "$CLI_CODE" = 0 ] || { echo "--region gave code $CLI_CODE: $(cat "$PROGRAM_DIR/cli.err")"; return 1; }
  wait_window "$EDITOR" 20 >/dev/null || { echo "the running copy opened no editor"; return 1; }
  sleep 0.5
  mouse_drag "$3" "$4" "$5" "$6"
  sleep 0.2
  xdotool mousemove $((($3 + $5) / 2)) $((($4 + $6) / 2)) click --repeat 2 --delay 80 1
  wait_window_gone "$EDITOR" 10 || { echo "the editor stayed open"; return 1; }
  clipboard_image "$MS_WORK/$1.png" || { echo "no picture on the clipboard"; return 1; }
  crop_image "$MS_WORK/screen.png" "$MS_WORK/$1.expected.png" "$2"
  images_equal "$MS_WORK/$1.expected.png" "$MS_WORK/$1.png"
}

if err=$(region_copy first 200x100+100+100 100 100 300 200 2>&1); then
  ok region_handed_over
else
  ko region_handed_over "$err"
fi
if err=$(region_copy second 150x250+900+500 900 500 1050 750 2>&1); then
  cli --last --save last.png
  if [ "$CLI_CODE" = 0 ] && [ -f "$PROGRAM_DIR/last.png" ]; then
    decide last_gives_second images_equal "$MS_WORK/second.expected.png" "$PROGRAM_DIR/last.png"
  else
    ko last_gives_second "--last gave code $CLI_CODE: $(cat "$PROGRAM_DIR/cli.err")"
  fi
else
  ko last_gives_second "the second copy failed: $err"
fi

# --delay handed over: the running copy counts down beside the pointer, and the
# editor's frozen picture does not show the countdown.
xdotool mousemove 500 500
sleep 0.3
cli --region --delay 2
sleep 0.8
screenshot "$MS_WORK/counting.png"
if [ "$CLI_CODE" = 0 ] && wait_window "$EDITOR" 15 >/dev/null; then
  sleep 0.5
  screenshot "$MS_WORK/frozen.png"
  crop_image "$MS_WORK/screen.png" "$MS_WORK/under.expected.png" 44x44+520+520
  crop_image "$MS_WORK/counting.png" "$MS_WORK/under.counting.png" 44x44+520+520
  crop_image "$MS_WORK/frozen.png" "$MS_WORK/under.frozen.png" 44x44+520+520
  if images_equal "$MS_WORK/under.expected.png" "$MS_WORK/under.counting.png" >/dev/null 2>&1; then
    ko delayed_countdown "no countdown beside the pointer"
  else
    decide delayed_countdown images_equal "$MS_WORK/under.expected.png" "$MS_WORK/under.frozen.png"
  fi
  key Escape
  wait_window_gone "$EDITOR" 10
else
  ko delayed_countdown "--region --delay 2 gave code $CLI_CODE or no editor"
fi
[ -n "${MS_KEEP_SHOTS:-}" ] && cp "$MS_WORK/counting.png" "$MS_KEEP_SHOTS/"

# Every command-line process has ended; the first copy is the one resident copy.
if kill -0 "$RESIDENT_PID" 2>/dev/null && [ "$(our_copies)" = 1 ]; then
  ok one_resident_copy
else
  ko one_resident_copy "$(our_copies) copies run"
fi

# Only command-line runs used this folder, an editor among them.
if cmp -s "$MS_ROOT/assets/a.ini" "$ALONE_DIR/a.ini"; then
  ok ini_unchanged
else
  ko ini_unchanged "a.ini changed: $(diff "$MS_ROOT/assets/a.ini" "$ALONE_DIR/a.ini" | tr '\r\n' ' |')"
fi
end_program
fail_rest "not reached"
