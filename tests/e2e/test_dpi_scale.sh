#!/usr/bin/env bash
# The main window at 100 %, 125 % and 150 %: the prefix's LogPixels set to 96,
# 120 and 144 in turn (and put back afterwards, so every other test runs at
# the value it had). At each scale the window has the design's size in twips
# at that DPI, and its four help icons stand in one column, one row pitch
# apart; at 150 % the editor still shows the screen 1:1; at 100 % and 200 %
# the editor's toolbar is drawn at that scale. Screenshots are kept for a
# person to look at: $MS_BUILD/test-logs/dpi/main-<dpi>.png, editor-bars-<dpi>.png.
source "$(dirname "$0")/lib.sh"

MAIN="Morrowen Snip"
EDITOR="Morrowen Snip editor"
DESKTOP_KEY='HKCU\Control Panel\Desktop'
SHOTS="$MS_BUILD/test-logs/dpi"
HELP_BLUE="#007AEC"   # the help icons' disc (nothing else below the title band has it)

# logpixels_get: the prefix's value as a decimal number, empty when it has none.
logpixels_get() {
  local v
  v=$("$WINE" reg query "$DESKTOP_KEY" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" { print $3; exit }')
  [ -n "$v" ] && echo $((v))
}
logpixels_set() { "$WINE" reg add "$DESKTOP_KEY" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }

ORIGINAL_LOGPIXELS=""
LOGPIXELS_SAVED=""
restore_logpixels() {
  [ -n "$LOGPIXELS_SAVED" ] || return 0
  if [ -n "$ORIGINAL_LOGPIXELS" ]; then
    logpixels_set "$ORIGINAL_LOGPIXELS"
  else
    "$WINE" reg delete "$DESKTOP_KEY" /v LogPixels /f >/dev/null 2>&1
  fi
  LOGPIXELS_SAVED=""
}
# Put back before lib.sh stops the wineserver that holds the registry.
trap 'restore_logpixels; ms_cleanup' EXIT

# twips_px TWIPS DPI: the program's rounding, nearest with halves away from zero.
twips_px() { echo $(( ($1 * $2 + 720) / 1440 )); }

# help_column PNG X0 Y0 W H: prints "left right top" of each blob of the help
# icons' blue inside the crop, top to bottom (rows apart by a gap of 4+ pixels).
help_column() {
  convert "$1" -crop "$4x$5+$2+$3" +repage txt:- |
    awk -v blue="$HELP_BLUE" '
      index($0, blue) { split($1, p, "[,:]"); x = p[1] + 0; y = p[2] + 0
        if (n == 0 || y > last + 4) { n++; l[n] = x; r[n] = x; t[n] = y }
        if (x < l[n]) l[n] = x; if (x > r[n]) r[n] = x; last = y }
      END { for (i = 1; i <= n; i++) print l[i], r[i], t[i] }'
}

start_display || { fail dpi.setup "no X display"; finish; }
ensure_prefix || { fail dpi.setup "no Wine prefix"; finish; }
start_wineserver
ORIGINAL_LOGPIXELS=$(logpixels_get)
LOGPIXELS_SAVED=1
mkdir -p "$SHOTS"
make_pattern "$MS_WORK/screen.png" "" 17
show_picture "$MS_WORK/screen.png"

for dpi in 96 120 144; do
  logpixels_set "$dpi" || { fail "dpi.$dpi.size" "could not set LogPixels"; continue; }
  if ! start_program "$MS_ROOT/assets/a.ini" || ! wid=$(wait_window "$MAIN" 30); then
    fail "dpi.$dpi.size" "no main window"; fail "dpi.$dpi.help_column" "no main window"
    kill "$PROGRAM_PID" 2>/dev/null
    continue
  fi
  sleep 0.8   # the first paint and the start timer's hand-over
  read -r x y w h < <(window_geometry "$wid")
  want="$(twips_px 6660 "$dpi")x$(twips_px 5145 "$dpi")"
  if [ "${w}x$h" = "$want" ]; then pass "dpi.$dpi.size"; else fail "dpi.$dpi.size" "window is ${w}x$h, not $want"; fi

  screenshot "$MS_WORK/screen-$dpi.png"
  crop_image "$MS_WORK/screen-$dpi.png" "$SHOTS/main-$dpi.png" "${w}x$h+$x+$y"
  ms_log "the main window at $dpi dpi: $SHOTS/main-$dpi.png"

  # The left panel's area: below the title band, left of the right-hand card.
  band=$(twips_px 720 "$dpi") card=$(twips_px 4260 "$dpi")
  mapfile -t blobs < <(help_column "$SHOTS/main-$dpi.png" 0 "$band" "$card" $((h - band)))
  reason=""
  if [ ${#blobs[@]} -ne 4 ]; then
    reason="${#blobs[@]} help icons found, not 4"
  else
    read -r l0 r0 t0 <<<"${blobs[0]}"; read -r _ _ t1 <<<"${blobs[1]}"
    for i in 1 2 3; do
      read -r l r t <<<"${blobs[i]}"; read -r _ _ tp <<<"${blobs[i - 1]}"
      [ "$l $r" = "$l0 $r0" ] || reason="icon $i spans x $l..$r, icon 0 $l0..$r0"
      [ $((t - tp)) -eq $((t1 - t0)) ] || reason="rows are not evenly spaced (${blobs[*]})"
    done
  fi
  if [ -z "$reason" ]; then pass "dpi.$dpi.help_column"; else fail "dpi.$dpi.help_column" "$reason"; fi

  # At the largest scale the editor still covers the screen 1:1: its frozen
  # picture is the screen pixel for pixel, away from where the main window was.
  if [ "$dpi" = 144 ]; then
    press_program_hotkey "$wid" alt+q
    if ewid=$(wait_window "$EDITOR" 20); then
      sleep 0.5
      read -r _ _ ew eh < <(window_geometry "$ewid")
      screenshot "$MS_WORK/editor.png"
      crop_image "$MS_WORK/editor.png" "$MS_WORK/editor-part.png" "300x200+1560+840"
      crop_image "$MS_WORK/screen.png" "$MS_WORK/screen-part.png" "300x200+1560+840"
      [ "${MS_KEEP_WORK:-}" = 1 ] && cp "$MS_WORK/editor.png" "$SHOTS/editor-144.png"
      if [ "${ew}x$eh" != "$(screen_size)" ]; then
        fail dpi.144.editor_1to1 "the editor is ${ew}x$eh on a $(screen_size) screen"
      elif err=$(images_equal "$MS_WORK/screen-part.png" "$MS_WORK/editor-part.png" 2>&1); then
        pass dpi.144.editor_1to1
      else
        fail dpi.144.editor_1to1 "$err"
      fi
    else
      fail dpi.144.editor_1to1 "no editor within 20 s of Alt+Q"
    fi
  fi

  kill "$PROGRAM_PID" 2>/dev/null
  wait_exit "$PROGRAM_PID" 10 || kill -9 "$PROGRAM_PID" 2>/dev/null
done

# The editor's bars at 100 % and 200 %: a 400 x 300 selection, then the
# rectangle tool (the first button) for the style bar. The toolbar strip's
# fill runs 26 pixels high at 100 % less its outline, twice that at 200 %;
# the frozen picture inside the selection stays 1:1. Screenshots: $SHOTS/editor-bars-<dpi>.png.
TOOLBAR_FILL="#DEEEFF"
for dpi in 96 192; do
  s=$((dpi / 96))
  logpixels_set "$dpi" || { fail "dpi.$dpi.editor_bars" "could not set LogPixels"; continue; }
  if ! open_editor_with "$MS_ROOT/assets/a.ini" alt+q; then
    fail "dpi.$dpi.editor_bars" "the editor did not open"; end_program; continue
  fi
  mouse_drag 600 300 1000 600 && sleep 0.3
  tbx=$((1000 - 265 * s)) tby=604
  click_x=$((tbx + 16 * s)) click_y=$((tby + 13 * s))
  mouse_move "$click_x" "$click_y" && xdotool click 1 && sleep 0.5
  mouse_move 1500 900 && sleep 0.3   # off the bars: no hover square in the picture
  screenshot "$MS_WORK/bars-$dpi.png"
  crop_image "$MS_WORK/bars-$dpi.png" "$SHOTS/editor-bars-$dpi.png" "$((700 * s))x$((140 * s))+$((tbx - 150 * s))+$((tby - 40))"
  ms_log "the editor's bars at $dpi dpi: $SHOTS/editor-bars-$dpi.png"
  run=$(convert "$MS_WORK/bars-$dpi.png" -crop "1x$((26 * s))+$((tbx + 3))+$tby" +repage txt:- |
    awk -v c="$TOOLBAR_FILL" 'index($0, c) { n++ } END { print n + 0 }')
  # Inside the selection, below its labels and clear of its handles: outside
  # it the frozen picture shows dimmed.
  crop_image "$MS_WORK/bars-$dpi.png" "$MS_WORK/bars-part.png" "250x150+700+400"
  crop_image "$MS_WORK/screen.png" "$MS_WORK/screen-part.png" "250x150+700+400"
  if [ "$run" -ne $((26 * s - 2)) ]; then
    fail "dpi.$dpi.editor_bars" "the toolbar's fill is $run pixels high at column $((tbx + 3)), not $((26 * s - 2))"
  elif ! err=$(images_equal "$MS_WORK/screen-part.png" "$MS_WORK/bars-part.png" 2>&1); then
    fail "dpi.$dpi.editor_bars" "the frozen picture is not 1:1: $err"
  else
    pass "dpi.$dpi.editor_bars"
  fi
  end_program
done

restore_logpixels
if [ "$(logpixels_get)" = "$ORIGINAL_LOGPIXELS" ]; then pass dpi.restored; else fail dpi.restored "LogPixels is $(logpixels_get)"; fi
finish
