#!/usr/bin/env bash
# Draws the frame and sticker pictures that ship beside the program, with
# ImageMagick, into the folder given:
#   1.PNG 2.PNG 3.PNG 5.PNG  four frames (a border around a see-through inside)
#   a1.gif .. a6.gif         six stickers: an arrow, a check mark, a star, a
#                            numbered badge, a callout and a warning sign
# The program shows pure white as see-through, so every picture is drawn on
# white without smoothing: a smoothed edge would leave a pale halo of
# almost-white pixels over the snip. White that is meant to show (a tick, a
# number, a callout's inside) is PAPER, a white just off pure white.
set -euo pipefail

out=${1:?usage: make_pictures.sh OUTPUT_DIR}
mkdir -p "$out"
command -v convert >/dev/null || { echo "make_pictures.sh: ImageMagick 'convert' is missing" >&2; exit 1; }

# draw W H FILE DRAW-ARGS...: a picture on white, not smoothed.
draw() {
  local w=$1 h=$2 file=$3; shift 3
  convert -size "${w}x${h}" xc:white +antialias "$@" "$file"
}

BLUE='rgb(0,122,236)'; NAVY='rgb(20,50,110)'; RED='rgb(220,40,40)'; GREEN='rgb(40,160,70)'
GOLD='rgb(245,185,20)'; ORANGE='rgb(240,130,20)'; PAPER='rgb(250,250,250)'

# Frames: 240 x 160 with the inside left white (see-through).
draw 240 160 "$out/1.PNG.tmp.png" -fill none -stroke "$BLUE" -strokewidth 8 \
  -draw "roundrectangle 4,4 235,155 18,18"
draw 240 160 "$out/2.PNG.tmp.png" -fill none -stroke "$RED" -strokewidth 6 \
  -draw "stroke-dasharray 16 10 rectangle 3,3 236,156"
# Corner marks, as a camera's viewfinder shows them.
draw 240 160 "$out/3.PNG.tmp.png" -fill "$NAVY" \
  -draw "rectangle 0,0 47,7" -draw "rectangle 0,0 7,47" \
  -draw "rectangle 192,0 239,7" -draw "rectangle 232,0 239,47" \
  -draw "rectangle 0,152 47,159" -draw "rectangle 0,112 7,159" \
  -draw "rectangle 192,152 239,159" -draw "rectangle 232,112 239,159"
# A double border: gold outside, navy inside.
draw 240 160 "$out/5.PNG.tmp.png" -fill none -stroke "$GOLD" -strokewidth 6 -draw "rectangle 3,3 236,156" \
  -stroke "$NAVY" -strokewidth 2 -draw "rectangle 12,12 227,147"
for n in 1 2 3 5; do
  convert "$out/$n.PNG.tmp.png" -define png:exclude-chunks=date,time "PNG24:$out/$n.PNG"
  rm -f "$out/$n.PNG.tmp.png"
done

# Stickers: 96 x 96, large enough to show beside a frame's caption box.
draw 96 96 "$out/a1.gif" -fill "$RED" -draw "polygon 6,39 57,39 57,18 90,48 57,78 57,57 6,57"
draw 96 96 "$out/a2.gif" -fill "$GREEN" -draw "circle 48,48 48,3" \
  -fill none -stroke "$PAPER" -strokewidth 10 -draw "stroke-linejoin round stroke-linecap round polyline 26,50 42,66 70,32"
draw 96 96 "$out/a3.gif" -fill "$GOLD" -stroke "$ORANGE" -strokewidth 3 \
  -draw "polygon 48,4 58,36 92,36 65,56 75,89 48,69 21,89 31,56 4,36 38,36"
draw 96 96 "$out/a4.gif" -fill "$BLUE" -draw "circle 48,48 48,4" \
  -fill "$PAPER" -font DejaVu-Sans-Bold -pointsize 54 -gravity center -annotate +0+2 "1"
draw 96 96 "$out/a5.gif" -fill "$NAVY" -draw "roundrectangle 3,6 92,66 15,15" -draw "polygon 21,64 45,64 18,90" \
  -fill "$PAPER" -draw "roundrectangle 8,11 87,61 12,12" -draw "polygon 25,60 40,60 24,80" \
  -fill "$NAVY" -draw "rectangle 20,25 75,30" -draw "rectangle 20,40 60,45"
draw 96 96 "$out/a6.gif" -fill "$ORANGE" -draw "polygon 48,4 93,87 3,87" \
  -fill "$NAVY" -draw "rectangle 44,30 52,64" -draw "rectangle 44,72 52,80"
