#!/usr/bin/env bash
# The program in a folder whose path is longer than the classic 260-character
# limit, with an a.ini that sets a hotkey and a logo path of 300 characters:
# the settings are read (the hotkey opens the editor), the missing keys are
# not written (the user changed nothing), "Edit Logo" cancelled writes the logo path
# back whole, and nothing is left behind in the folder or the temporary folder.
source "$(dirname "$0")/lib.sh"

MAIN="Morrowen Snip"
EDITOR="Morrowen Snip editor"
EDIT_LOGO_SPOT=(330 183)  # the "Edit Logo" button, relative to the main window
CASE_PREFIX=long_paths
CASES=(window_appears settings_left_alone logo_written_whole hotkey_used no_leftovers)

# win_path UNIX_PATH: the path as Wine names it (drive Z: is the root).
win_path() { printf 'Z:%s' "$(tr / '\\' <<<"$1")"; }

# start_deep DIR: the program copied into DIR and started from a short working
# folder (Wine cannot enter one past the limit). Sets PROGRAM_PID.
start_deep() {
  cp "$MS_EXE" "$1/MorrowenSnip.exe"
  (cd "$MS_WORK" && exec "$WINE" "$1/MorrowenSnip.exe") \
    </dev/null >"$MS_WORK/deep-stdout.log" 2>"$MS_WORK/deep-stderr.log" &
  PROGRAM_PID=$!
  MS_PIDS+=("$PROGRAM_PID")
}

# temp_files: the staging copies the profile functions may leave in Wine's temporary folder.
temp_files() { find "$WINEPREFIX/drive_c/users" -ipath '*/temp/~*-*.tmp' 2>/dev/null | sort; }

[ -f "$MS_EXE" ] || fail_rest "no program at $MS_EXE"
start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

deep="$MS_WORK/deep"
while [ ${#deep} -lt 290 ]; do deep+="/a_folder_with_a_long_name"; done
mkdir -p "$deep"
logo="$(win_path "$deep")\\logo.png"
[ ${#logo} -gt 300 ] || fail_rest "the logo path is only ${#logo} characters"
convert -size 40x20 xc:red "PNG24:$deep/logo.png"
printf '[logo]\r\nlogo=%s\r\n[HotKey]\r\n0=87,0,-1,0\r\n' "$logo" >"$deep/a.ini"
ms_log "folder: $(( ${#deep} + 2 )) characters as Windows names it, logo path ${#logo}"
temps_before=$(temp_files)

start_deep "$deep"
if main=$(wait_window "$MAIN" 30); then ok window_appears; else fail_rest "no main window within 30 s"; fi

# The start-up reads every hotkey row; rows 1 to 5 are missing and read as
# "none", but nothing is written: the file stays as the user left it.
want=$(printf '[logo]\r\nlogo=%s\r\n[HotKey]\r\n0=87,0,-1,0\r\n' "$logo" | od -An -c)
sleep 1
got=$(od -An -c "$deep/a.ini")
if [ "$got" = "$want" ]; then
  ok settings_left_alone
else
  ko settings_left_alone "a.ini is: $(tr '\r\n' '|#' <"$deep/a.ini" | cut -c1-400)"
fi

# "Edit Logo", cancelled, writes the path it holds back: whole, as it was read.
before=$(stat -c "%i %.9Y" "$deep/a.ini")
click_window "$main" "${EDIT_LOGO_SPOT[@]}"
if dialog=$(wait_window "Open" 10); then
  focus_window "$dialog"
  key Escape
  written=false
  for _ in $(seq 50); do
    [ "$(stat -c "%i %.9Y" "$deep/a.ini")" != "$before" ] && { written=true; break; }
    sleep 0.1
  done
  got=$(ini_value "$deep/a.ini" logo logo)
  if ! $written; then
    ko logo_written_whole "a.ini was not written after the cancelled choice"
  elif [ "$got" = "$logo" ]; then
    ok logo_written_whole
  else
    ko logo_written_whole "logo is now ${#got} characters: ${got:0:60}..."
  fi
else
  ko logo_written_whole "no open dialog after a click on Edit Logo"
fi

# The hotkey comes from the deep a.ini alone (Alt+W is nobody's default).
sleep 0.3
press_program_hotkey "$main" alt+w
if editor=$(wait_window "$EDITOR" 20); then
  ok hotkey_used
  key Escape
  wait_window_gone "$EDITOR" 10
else
  ko hotkey_used "Alt+W did not open the editor"
fi

kill "$PROGRAM_PID" 2>/dev/null
wait_exit "$PROGRAM_PID" 10 || kill -9 "$PROGRAM_PID" 2>/dev/null
left=$(cd "$deep" && ls -A | grep -vxE 'MorrowenSnip\.exe|a\.ini|logo\.png')
new_temps=$(comm -13 <(echo "$temps_before") <(temp_files))
if [ -z "$left" ] && [ -z "$new_temps" ]; then
  ok no_leftovers
else
  ko no_leftovers "left behind: $(echo $left $new_temps)"
fi

finish
