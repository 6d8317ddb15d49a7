#!/usr/bin/env bash
# Draws the program's icons with ImageMagick into the folder given:
#   app.ico   16, 20, 24, 32, 40, 48 and 256 px: the main icon (20 and 40 are
#             the small and large sizes at 125 %, 24 and 48 at 150 %)
#   tray.ico  16, 20, 24, 32 px: the notification-area icon
# The design: a rounded blue square with two white crop corners and a dashed
# selection edge running between them. Every size is drawn at its own scale
# from whole-pixel rectangles (not shrunk from the large one) so the small
# sizes stay sharp; below 32 px dashes would blur, so the edge is left out.
set -euo pipefail

out=${1:?usage: make_icons.sh OUTPUT_DIR}
mkdir -p "$out"
command -v convert >/dev/null || { echo "make_icons.sh: ImageMagick 'convert' is missing" >&2; exit 1; }

BLUE='rgb(0,122,236)'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# px SIZE UNITS [MIN]: a length given in units of a 256 px icon, at SIZE.
px() {
  awk -v s="$1" -v u="$2" -v m="${3:-0}" \
    'BEGIN { v = int(s * u / 256 + 0.5); if (v < m) v = m; print v }'
}

# block X0 Y0 X1 Y1: adds a white block to `draws`; right and bottom exclusive.
block() { draws+=(-draw "rectangle $1,$2 $(($3 - 1)),$(($4 - 1))"); }

# draw_size SIZE FILE
draw_size() {
  local s=$1 file=$2
  local radius lo hi arm bar
  radius=$(px "$s" 48)
  lo=$(px "$s" 60); hi=$((s - lo))
  arm=$(px "$s" 64 4); bar=$(px "$s" 22 2)

  local draws=()
  # crop corner, upper left, and its twin lower right
  block "$lo" "$lo" $((lo + arm)) $((lo + bar))
  block "$lo" "$lo" $((lo + bar)) $((lo + arm))
  block $((hi - arm)) $((hi - bar)) "$hi" "$hi"
  block $((hi - bar)) $((hi - arm)) "$hi" "$hi"
  if [ "$s" -ge 32 ]; then
    local dash gap thin pos
    dash=$(px "$s" 14 2); gap=$(px "$s" 10 2); thin=$(px "$s" 7 1)
    # upper-left corner's arms run on along the top and the left edge...
    for ((pos = lo + arm + gap; pos + dash <= hi; pos += dash + gap)); do
      block "$pos" "$lo" $((pos + dash)) $((lo + thin))
      block "$lo" "$pos" $((lo + thin)) $((pos + dash))
    done
    # ...and the lower-right corner's along the bottom and the right edge
    for ((pos = hi - arm - gap; pos - dash >= lo; pos -= dash + gap)); do
      block $((pos - dash)) $((hi - thin)) "$pos" "$hi"
      block $((hi - thin)) $((pos - dash)) "$hi" "$pos"
    done
  fi

  local args=(-size "${s}x${s}" xc:none -fill "$BLUE"
              -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $radius,$radius"
              +antialias -fill white "${draws[@]}")
  convert "${args[@]}" -define png:exclude-chunks=date,time "PNG32:$file"
}

# make_ico FILE SIZE...
make_ico() {
  local ico=$1; shift
  local layers=() s
  for s in "$@"; do
    draw_size "$s" "$work/$s.png"
    layers+=("$work/$s.png")
  done
  convert "${layers[@]}" "$ico"
}

make_ico "$out/app.ico" 16 20 24 32 40 48 256
make_ico "$out/tray.ico" 16 20 24 32
