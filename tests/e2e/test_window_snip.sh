#!/usr/bin/env bash
# The window snip as a user takes it: Wine's Notepad at a known place, the
# hotkey (Alt+Z, then Alt+X for the logo variant), the pointer on Notepad's
# title bar, a click; the editor opens on the window, its toolbar comes with
# the first click, and "Save to clipboard" copies exactly the window's outer
# rectangle with its pixels.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
MAIN="Morrowen Snip"
CASE_PREFIX=window_snip
CASES=(window alt_z alt_x)

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

# Notepad keeps its place in the registry; clear of the main window, which
# opens in the screen's middle.
NOTEPAD_KEY='HKCU\Software\Microsoft\Notepad'
for v in iWindowPosX:150 iWindowPosY:100 iWindowPosDX:520 iWindowPosDY:360; do
  "$WINE" reg add "$NOTEPAD_KEY" /v "${v%%:*}" /t REG_DWORD /d "${v#*:}" /f >/dev/null 2>&1
done
"$WINE" notepad </dev/null >/dev/null 2>&1 &
MS_PIDS+=("$!")
if ! notepad=$(wait_window "Untitled - Notepad" 30); then
  ko window "Notepad did not open"
  fail_rest "no window to pick"
fi
read -r NX NY NW NH < <(window_geometry "$notepad")
if [ "$NW" -gt 100 ] && [ "$NH" -gt 100 ]; then ok window; else ko window "Notepad is ${NW}x${NH}"; fi
GEOMETRY=${NW}x${NH}+${NX}+${NY}
ms_log "Notepad at $GEOMETRY"

end_program() {
  kill "$PROGRAM_PID" 2>/dev/null
  wait_exit "$PROGRAM_PID" 10 || kill -9 "$PROGRAM_PID" 2>/dev/null
}

# snip CASE HOTKEY: the whole road for one hotkey.
snip() {
  local name=$1 hotkey=$2 main
  start_program "$MS_ROOT/assets/a.ini" || { ko "$name" "the program did not start"; return; }
  main=$(wait_window "$MAIN" 30) || { ko "$name" "no main window"; end_program; return; }
  sleep 0.5
  click_window "$main" 310 64 && sleep 0.3
  # What the screen shows before the pick: the copy must be Notepad as it looks here.
  screenshot "$MS_WORK/$name.before.png"
  key "$hotkey"
  sleep 0.8
  mouse_move $((NX + NW / 2)) $((NY + 8))   # on the title bar: the top-level window
  sleep 0.6
  xdotool click 1
  if ! wait_window "$EDITOR" 20 >/dev/null; then ko "$name" "the editor did not open after the pick"; end_program; return; fi
  sleep 0.8
  screenshot "$MS_WORK/$name.editor.png"
  # The first click shows the toolbar under the preset selection, right edges
  # aligned; its "Save to clipboard" button is the second (left at 3580 twips).
  mouse_move 1700 1000 && xdotool click 1 && sleep 0.5
  local tbx=$((NX + NW - 265)) tby=$((NY + NH + 4))
  mouse_move $((tbx + 3580 / 15 + 8)) $((tby + 13)) && sleep 0.2
  xdotool click 1
  if ! wait_window_gone "$EDITOR" 10; then ko "$name" "the editor stayed open after Save to clipboard"; end_program; return; fi
  if ! clipboard_image "$MS_WORK/$name.png"; then ko "$name" "the clipboard holds no picture"; end_program; return; fi
  crop_image "$MS_WORK/$name.before.png" "$MS_WORK/$name.expected.png" "$GEOMETRY"
  local why
  expect_same_picture "$name" "$MS_WORK/$name.expected.png" "$MS_WORK/$name.png"
  end_program
}

snip alt_z alt+z
snip alt_x alt+x
fail_rest "not reached"
