#!/usr/bin/env bash
# Two monitors, the secondary left of the primary (negative coordinates): the
# editor covers both; a snip on the secondary and one across the seam copy
# exactly their pixels; the toolbar of a selection at the secondary's bottom
# edge stays on it; a window snip of Notepad on the secondary copies it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/two_monitors.sh"

EDITOR="Morrowen Snip editor"
MAIN="Morrowen Snip"
CASE_PREFIX=two_monitors
CASES=(editor_covers_both secondary seam toolbar_on_secondary window_on_secondary)
SHOTS="$MS_BUILD/test-logs/two-monitors"
TOOLBAR_FILL="#DEEEFF"

start_two_monitors || fail_rest "no two-monitor desktop"
mkdir -p "$SHOTS"
make_pattern "$MS_WORK/screen.png" "" 29
show_picture "$MS_WORK/screen.png"
# What no monitor shows holds the pattern too: the editor must show it black.
SW=$TWO_SECONDARY_W SH=$TWO_SECONDARY_H

# copy_case NAME WxH+X+Y X1 Y1 X2 Y2: a fresh editor, one drag (X root pixels),
# a double click inside; the clipboard must hold that rectangle of the screen.
copy_case() {
  local name=$1 geometry=$2
  if ! open_editor_with "$MS_ROOT/assets/a.ini" alt+q; then ko "$name" "the editor did not open"; return; fi
  mouse_drag "$3" "$4" "$5" "$6" && sleep 0.3
  xdotool mousemove $((($3 + $5) / 2)) $((($4 + $6) / 2)) click --repeat 2 --delay 80 1
  if ! wait_window_gone "$EDITOR" 10; then ko "$name" "the editor did not close"; end_program; return; fi
  if ! clipboard_image "$MS_WORK/$name.png"; then ko "$name" "the clipboard holds no picture"; end_program; return; fi
  crop_image "$MS_WORK/screen.png" "$MS_WORK/$name.expected.png" "$geometry"
  local why
  expect_same_picture "$name" "$MS_WORK/$name.expected.png" "$MS_WORK/$name.png"
  end_program
}

# The editor over the whole desktop, the corner under the secondary black.
if open_editor_with "$MS_ROOT/assets/a.ini" alt+q; then
  read -r x y w h < <(window_geometry "$EDITOR_WID")
  screenshot "$MS_WORK/open.png"
  corner=$(pixel_color "$MS_WORK/open.png" 20 $((SH + 20)))
  if [ "$x $y ${w}x$h" != "0 0 $((SW + TWO_PRIMARY_W))x$TWO_PRIMARY_H" ]; then
    ko editor_covers_both "the editor is ${w}x$h at $x,$y"
  elif [ "$corner" != "0,0,0" ]; then
    ko editor_covers_both "the part no monitor shows is $corner, not black"
  elif ! crop_image "$MS_WORK/open.png" "$MS_WORK/open.secondary.png" "${SW}x${SH}+0+0" ||
      ! crop_image "$MS_WORK/screen.png" "$MS_WORK/screen.secondary.png" "${SW}x${SH}+0+0" ||
      ! why=$(images_equal "$MS_WORK/screen.secondary.png" "$MS_WORK/open.secondary.png" 2>&1); then
    ko editor_covers_both "the secondary is not shown 1:1: $why"
  else
    ok editor_covers_both
  fi

  # A selection down to the secondary's last row: no room below on that
  # monitor (the primary's 56 more rows do not count), so the toolbar sits
  # inside the selection, above the secondary's bottom edge.
  mouse_drag 300 800 900 $((SH - 1)) && sleep 0.5
  screenshot "$SHOTS/toolbar-secondary.png"
  read -r lo hi < <(convert "$SHOTS/toolbar-secondary.png" -crop "${SW}x$((TWO_PRIMARY_H - 700))+0+700" +repage txt:- |
    awk -v c="$TOOLBAR_FILL" 'index($0, c) { split($1, p, "[,:]"); y = p[2] + 700
      if (!n++ || y < lo) lo = y; if (y > hi) hi = y } END { print (n ? lo : -1), (n ? hi : -1) }')
  if [ "$lo" -lt 0 ]; then ko toolbar_on_secondary "no toolbar under the selection"
  elif [ "$hi" -ge "$SH" ]; then ko toolbar_on_secondary "the toolbar reaches row $hi, off the secondary"
  else ok toolbar_on_secondary; fi
  key Escape
  wait_window_gone "$EDITOR" 10
  end_program
else
  ko editor_covers_both "the editor did not open"
  ko toolbar_on_secondary "the editor did not open"
fi

# On the secondary (Windows -1080..-760 x 150..390), then across the seam.
copy_case secondary 320x240+200+150 200 150 520 390
copy_case seam 400x200+$((SW - 150))+300 $((SW - 150)) 300 $((SW + 250)) 500

# Notepad on the secondary (its place kept in the registry), picked by Alt+Z
# on its title bar; Enter copies the preset selection: the window exactly.
NOTEPAD_KEY='HKCU\Software\Microsoft\Notepad'
for v in iWindowPosX:-1100 iWindowPosY:200 iWindowPosDX:520 iWindowPosDY:360; do
  "$WINE" reg add "$NOTEPAD_KEY" /v "${v%%:*}" /t REG_DWORD /d "$(( ${v#*:} & 0xffffffff ))" /f >/dev/null 2>&1
done
"$WINE" notepad </dev/null >/dev/null 2>&1 &
MS_PIDS+=("$!")
if ! notepad=$(wait_window "Untitled - Notepad" 30); then
  ko window_on_secondary "Notepad did not open"
else
  read -r NX NY NW NH < <(window_geometry "$notepad")
  ms_log "Notepad at ${NW}x${NH}+${NX}+${NY} (X root)"
  start_program "$MS_ROOT/assets/a.ini"
  if ! main=$(wait_window "$MAIN" 30); then
    ko window_on_secondary "no main window"
  elif [ $((NX + NW)) -gt "$SW" ]; then
    ko window_on_secondary "Notepad is not on the secondary"
  else
    sleep 0.5
    click_window "$main" 310 64 && sleep 0.3
    screenshot "$MS_WORK/window.before.png"
    key alt+z
    sleep 0.8
    mouse_move $((NX + NW / 2)) $((NY + 8))
    sleep 0.6
    xdotool click 1
    if ! wait_window "$EDITOR" 20 >/dev/null; then
      ko window_on_secondary "the editor did not open after the pick"
    else
      sleep 0.8
      screenshot "$SHOTS/window-editor.png"
      # A click outside the window commits the preset; Enter copies it.
      mouse_move $((SW + 1700)) 1000 && xdotool click 1 && sleep 0.5
      key Return
      if ! wait_window_gone "$EDITOR" 10; then ko window_on_secondary "the editor stayed open"
      elif ! clipboard_image "$MS_WORK/window.png"; then ko window_on_secondary "the clipboard holds no picture"
      else
        crop_image "$MS_WORK/window.before.png" "$MS_WORK/window.expected.png" "${NW}x${NH}+${NX}+${NY}"
        if why=$(images_equal "$MS_WORK/window.expected.png" "$MS_WORK/window.png" 2>&1); then ok window_on_secondary
        else ko window_on_secondary "$why"; fi
      fi
    fi
  fi
  end_program
fi
fail_rest "not reached"
