#!/usr/bin/env bash
# The 32-bit release exe on the roads a user takes, in one run of the program
# (every start costs about half a minute under emulation): a window snip of
# Notepad by Alt+Z copied exactly; a region snip from the tray menu copied
# exactly; another saved as PNG and read back; the tray menu's Exit ending the
# program with code 0.
# Run by tests/run_all.sh (level win32), or alone: bash tests/win32/test_release_roads.sh
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/lib32.sh"

EDITOR="Morrowen Snip editor"
MAIN="Morrowen Snip"
TRAY="Wine System Tray"
TRAY_ICON_SPOT=(13 32)   # the first icon of Wine's notification-area window
SLOW=${MS_SLOW:-4}       # time limits are multiplied by this (emulation)
CASE_PREFIX=release
CASES=(window_snip region_copy save_png tray_exit)

if [ "${MS_E2E_SHARED:-}" != 1 ]; then
  use_win32_road || { echo "SKIP release: the 32-bit emulator is not set up"; exit 0; }
  start_display || fail_rest "no X display"
  ensure_prefix32 || fail_rest "no 32-bit Wine prefix"
fi
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 32
show_picture "$MS_WORK/screen.png"

# Notepad, the window to snip, clear of the main window (screen middle) and of
# the selections below.
NOTEPAD_KEY='HKCU\Software\Microsoft\Notepad'
for v in iWindowPosX:1300 iWindowPosY:120 iWindowPosDX:420 iWindowPosDY:300; do
  "$WINE" reg add "$NOTEPAD_KEY" /v "${v%%:*}" /t REG_DWORD /d "${v#*:}" /f >/dev/null 2>&1
done
"$WINE" notepad </dev/null >/dev/null 2>&1 &
MS_PIDS+=("$!")

start_program "$MS_ROOT/assets/a.ini" || fail_rest "cannot start $MS_EXE"
main=$(wait_window "$MAIN" $((30 * SLOW))) || fail_rest "no main window"
notepad=$(wait_window "Untitled - Notepad" $((30 * SLOW))) || fail_rest "Notepad did not open"
tray=$(wait_window "$TRAY" $((10 * SLOW))) || fail_rest "no notification area window"
sleep 2

# A failed case leaves a screenshot in the work folder (MS_KEEP_WORK=1 keeps it).
ko() { screenshot "$MS_WORK/failed.$1.png"; fail "$CASE_PREFIX.$1" "$2"; DONE+=("$1"); }

# expect_clipboard CASE WxH+X+Y EXPECTED_SCREEN [SKIP_ROWS [ALLOWED]]: the
# editor closed and the clipboard holds exactly that rectangle of the screen
# picture (its first SKIP_ROWS rows left out of the comparison, the size still
# whole; at most ALLOWED pixels differing).
expect_clipboard() {
  local name=$1 geometry=$2 screen=$3 skip=${4:-0} allowed=${5:-0} why
  wait_window_gone "$EDITOR" $((10 * SLOW)) || { ko "$name" "the editor stayed open"; return; }
  # Wine offers the bitmap before it can hand it over: try for a while.
  for _ in $(seq $((10 * SLOW))); do clipboard_image "$MS_WORK/$name.png" && break; sleep 0.5; done
  [ -s "$MS_WORK/$name.png" ] || { ko "$name" "the clipboard holds no picture"; return; }
  crop_image "$screen" "$MS_WORK/$name.expected.png" "$geometry"
  if [ "$skip" -gt 0 ]; then
    local size
    size=$(identify -format '%wx%h' "$MS_WORK/$name.png")
    [ "$size" = "${geometry%%+*}" ] || { ko "$name" "the copy is $size, not ${geometry%%+*}"; return; }
    for f in "$MS_WORK/$name.expected.png" "$MS_WORK/$name.png"; do convert "$f" -crop "+0+$skip" +repage "$f"; done
  fi
  if why=$(images_close "$MS_WORK/$name.expected.png" "$MS_WORK/$name.png" "$allowed" 2>&1); then ok "$name"; else ko "$name" "$why"; fi
}

# tray_menu ENTRY: opens the tray icon's menu and clicks its ENTRY-th line
# (1-based; the separator is line 5); the menu is found as what changed on
# the screen under the pointer, its seven lines of equal height but the separator.
tray_menu() {
  local tx ty px py box mw mh mx my item y
  read -r tx ty _ _ < <(window_geometry "$tray")
  px=$((tx + TRAY_ICON_SPOT[0])) py=$((ty + TRAY_ICON_SPOT[1]))
  xdotool mousemove "$px" "$py" && sleep 0.5
  screenshot "$MS_WORK/tray.before.png"
  xdotool mousedown 3 && sleep 0.15 && xdotool mouseup 3
  for _ in $(seq $((5 * SLOW))); do
    sleep 1
    screenshot "$MS_WORK/tray.menu.png"
    box=$(convert "$MS_WORK/tray.before.png" "$MS_WORK/tray.menu.png" -compose difference -composite \
      -threshold 0 -format '%@' info: 2>/dev/null)
    [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] && [ "${BASH_REMATCH[2]}" -gt 60 ] && break
    box=
  done
  [ -n "$box" ] || return 1
  mw=${BASH_REMATCH[1]} mh=${BASH_REMATCH[2]} mx=${BASH_REMATCH[3]} my=${BASH_REMATCH[4]}
  # Six lines of text and a separator about half as high: 6.5 lines. The
  # first four are counted from the top, the last two from the bottom.
  item=$((mh * 2 / 13))
  if [ "$1" -le 4 ]; then y=$((my + item * ($1 - 1) + item / 2)); else y=$((my + mh - item * (7 - $1) - item / 2)); fi
  ms_log "tray menu ${mw}x$mh+$mx+$my, line $1 at y $y"
  xdotool mousemove $((mx + mw / 3)) "$y" && sleep 0.4 && xdotool click 1
}

# 1. Alt+Z on the main window (Notepad is no longer the active window, as it
# will not be when the picker takes it), the pointer on Notepad's title bar, a
# click; the editor's first click shows the toolbar under the preset
# selection, right edges aligned, and its "Save to clipboard" (the second
# button, left at 3580 twips) copies exactly the window.
read -r NX NY NW NH < <(window_geometry "$notepad")
click_window "$main" 310 64 && sleep $((SLOW / 2 + 1))
screenshot "$MS_WORK/window.before.png"
key alt+z
sleep $((SLOW / 2 + 1))
mouse_move $((NX + NW / 2)) $((NY + 8))
sleep $((SLOW / 2 + 1))
xdotool click 1
if wait_window "$EDITOR" $((30 * SLOW)) >/dev/null; then
  sleep $((SLOW / 2 + 1))
  mouse_move 1700 1000 && xdotool click 1 && sleep $((SLOW / 2 + 1))
  mouse_move $((NX + NW - 265 + 3580 / 15 + 8)) $((NY + NH + 4 + 13)) && sleep 0.5
  xdotool click 1
  # Below the title bar: under emulation the pick's click may reach Notepad
  # before the overlay does and make it the active window (another caption
  # colour, and its text caret: up to 2 x 16 pixels may differ).
  expect_clipboard window_snip "${NW}x${NH}+${NX}+${NY}" "$MS_WORK/window.before.png" 24 32
else
  ko window_snip "Alt+Z and a click on Notepad opened no editor"
fi
wait_window_gone "$EDITOR" 2 || key Escape

# 2. "Region snip" from the tray menu (the main window stays hidden after a
# snip), a selection dragged out, a double click in it.
if ! tray_menu 1; then
  ko region_copy "the tray menu did not open"
elif wait_window "$EDITOR" $((30 * SLOW)) >/dev/null; then
  sleep $((SLOW / 2 + 1))
  mouse_drag 220 170 540 410
  sleep 1
  xdotool mousemove 380 290 click --repeat 2 --delay 80 1
  expect_clipboard region_copy 320x240+220+170 "$MS_WORK/screen.png"
else
  ko region_copy "the tray menu's Region snip opened no editor"
fi

# 3. "Region snip" from the tray menu again, a selection, Ctrl+S, a name typed into
# the save dialog: a PNG file of exactly the selected pixels beside the exe.
if ! tray_menu 1; then
  ko save_png "the tray menu did not open"
elif ! wait_window "$EDITOR" $((30 * SLOW)) >/dev/null; then
  ko save_png "the tray menu's Region snip opened no editor"
else
  sleep $((SLOW / 2 + 1))
  mouse_drag 150 600 347 741
  sleep 1
  key ctrl+s
  if dialog=$(wait_window "Save" $((30 * SLOW))); then
    sleep $((SLOW / 2 + 1))   # its controls come after its window
    read -r _ _ dw dh < <(window_geometry "$dialog")
    click_window "$dialog" $((dw / 2)) $((dh - 49)) && sleep 0.5   # the file name box
    # Over the suggested name, the whole path: the dialog opens in the folder
    # last saved to, or Pictures.
    key Home && key shift+End && sleep 0.2
    type_text "$(windows_path "$PROGRAM_DIR/release_snip")"
    screenshot "$MS_WORK/save.dialog.png"
    key Return
    saved=
    for _ in $(seq $((20 * SLOW))); do
      saved=$(find "$PROGRAM_DIR" -maxdepth 1 -iname 'release_snip.png' -size +0 | head -n1)
      [ -n "$saved" ] && break
      sleep 0.5
    done
    sleep 1
    crop_image "$MS_WORK/screen.png" "$MS_WORK/save.expected.png" 197x141+150+600
    if [ -z "$saved" ]; then
      ko save_png "no release_snip.png beside the exe ($(ls "$PROGRAM_DIR" | tr '\n' ' '))"
    elif [ "$(identify -format '%m' "$saved" 2>/dev/null)" != PNG ]; then
      ko save_png "$saved is not a PNG file"
    else
      expect_same_picture save_png "$MS_WORK/save.expected.png" "$saved"
    fi
  else
    ko save_png "no save dialog after Ctrl+S"
  fi
fi
wait_window_gone "Save" $((5 * SLOW)) || key Escape

# 4. "Exit" from the tray menu: the program ends, with code 0.
if ! tray_menu 7; then
  ko tray_exit "the tray menu did not open"
elif ! wait_exit "$PROGRAM_PID" $((10 * SLOW)); then
  ko tray_exit "still running after Exit"
elif [ "$EXIT_CODE" -ne 0 ]; then
  ko tray_exit "exit code $EXIT_CODE"
else
  ok tray_exit
fi
[ -n "${MS_KEEP_SHOTS:-}" ] && cp "$MS_WORK"/*.png "$MS_KEEP_SHOTS/"
fail_rest "not reached"
