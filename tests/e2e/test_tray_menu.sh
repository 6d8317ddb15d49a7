#!/usr/bin/env bash
# The tray icon's right button opens the program's menu; its "Region snip"
# opens the region editor as the first hotkey does.
source "$(dirname "$0")/lib.sh"

CASE_PREFIX=tray_menu
CASES=(menu_opens region_snip)
TRAY="Wine System Tray"
TRAY_ICON_SPOT=(13 32)   # the first icon of Wine's notification-area window

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

start_program "$MS_ROOT/assets/a.ini" || fail_rest "cannot start the program"
wait_window "Morrowen Snip" 30 >/dev/null || fail_rest "no main window"
tray=$(wait_window "$TRAY" 10) || fail_rest "no notification area window"
sleep 0.5
read -r tx ty _ _ < <(window_geometry "$tray")
px=$((tx + TRAY_ICON_SPOT[0])) py=$((ty + TRAY_ICON_SPOT[1]))
xdotool mousemove "$px" "$py"
sleep 0.3
screenshot "$MS_WORK/before.png"
xdotool mousedown 3 && sleep 0.15 && xdotool mouseup 3
sleep 1
screenshot "$MS_WORK/menu.png"
# The menu opens at the pointer, its first entry at the top.
crop_image "$MS_WORK/before.png" "$MS_WORK/before.crop.png" 120x100+$((px + 2))+$((py + 2))
crop_image "$MS_WORK/menu.png" "$MS_WORK/menu.crop.png" 120x100+$((px + 2))+$((py + 2))
if ! images_equal "$MS_WORK/before.crop.png" "$MS_WORK/menu.crop.png" 2>/dev/null; then
  ok menu_opens
else
  ko menu_opens "nothing new at the pointer after the right click"
fi
# Without a window manager the menu gets no keyboard: its first entry is clicked.
xdotool mousemove $((px + 40)) $((py + 10)) && sleep 0.3 && xdotool click 1
if wait_window "Morrowen Snip editor" 15 >/dev/null; then
  ok region_snip
  key Escape
else
  ko region_snip "no editor after the menu's Region snip"
fi
[ -n "${MS_KEEP_SHOTS:-}" ] && cp "$MS_WORK/menu.png" "$MS_KEEP_SHOTS/"
kill "$PROGRAM_PID" 2>/dev/null
fail_rest "not reached"
