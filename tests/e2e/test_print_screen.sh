#!/usr/bin/env bash
# A region hotkey on Print Screen: with the user's PrintScreenKeyForSnippingEnabled
# at 1 its row says that Windows takes the key; at 0, or without the value, the
# row is as always. The value is put back as it was at the end.
source "$(dirname "$0")/lib.sh"

MAIN="Morrowen Snip"
KEY='HKCU\Control Panel\Keyboard'
VALUE=PrintScreenKeyForSnippingEnabled
CASE_PREFIX=print_screen
CASES=(told_when_on not_told_when_off value_unchanged)

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

before=$("$WINE" reg query "$KEY" /v "$VALUE" 2>/dev/null | tr -d '\r' | awk -v v="$VALUE" '$1 == v { print $3 }')
restore() {
  if [ -n "$before" ]; then
    "$WINE" reg add "$KEY" /v "$VALUE" /t REG_DWORD /d "$((before))" /f >/dev/null 2>&1
  else
    "$WINE" reg delete "$KEY" /v "$VALUE" /f >/dev/null 2>&1
  fi
}

sed 's/^0=.*/0=44,0,0,0/' "$MS_ROOT/assets/a.ini" >"$MS_WORK/a.ini"

# row_shot NAME [DWORD]: the main window's first hotkey row with the value
# set to DWORD (none: the value removed), to NAME.png.
row_shot() {
  if [ -n "${2:-}" ]; then
    "$WINE" reg add "$KEY" /v "$VALUE" /t REG_DWORD /d "$2" /f >/dev/null 2>&1
  else
    "$WINE" reg delete "$KEY" /v "$VALUE" /f >/dev/null 2>&1
  fi
  start_program "$MS_WORK/a.ini" || return 1
  local wid
  wid=$(wait_window "$MAIN" 30) || return 1
  sleep 1.5
  read -r wx wy _ _ < <(window_geometry "$wid")
  screenshot "$MS_WORK/$1.full.png"
  crop_image "$MS_WORK/$1.full.png" "$MS_WORK/$1.png" 150x40+"$wx"+$((wy + 60))
  end_program
  [ -n "${MS_KEEP_SHOTS:-}" ] && cp "$MS_WORK/$1.full.png" "$MS_KEEP_SHOTS/"
  return 0
}

row_shot on 1 && row_shot off 0 && row_shot none || { restore; fail_rest "the program did not start"; }
restore
if images_equal "$MS_WORK/on.png" "$MS_WORK/off.png" >/dev/null 2>&1; then
  ko told_when_on "the row looks the same with the value at 1 and at 0"
else
  ok told_when_on
fi
if images_equal "$MS_WORK/off.png" "$MS_WORK/none.png" >/dev/null 2>&1; then
  ok not_told_when_off
else
  ko not_told_when_off "the row at 0 differs from the row without the value"
fi
after=$("$WINE" reg query "$KEY" /v "$VALUE" 2>/dev/null | tr -d '\r' | awk -v v="$VALUE" '$1 == v { print $3 }')
if [ "$after" = "$before" ]; then ok value_unchanged; else ko value_unchanged "was '$before', now '$after'"; fi
fail_rest "not reached"
