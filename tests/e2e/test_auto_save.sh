#!/usr/bin/env bash
# Auto-save: with a folder set, each copy also lands there as one PNG named
# "Snip YYYY-MM-DD HH-MM-SS.png" (a counter on a clash) holding exactly the
# snip; the clipboard gets the copy as before.
source "$(dirname "$0")/lib.sh"

EDITOR="Morrowen Snip editor"
MAIN="Morrowen Snip"
CASE_PREFIX=auto_save
CASES=(one_file_per_copy names_follow_the_pattern files_hold_the_snips clipboard_still_copied)

start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver

make_pattern "$MS_WORK/screen.png" "" 57
show_picture "$MS_WORK/screen.png"

OUT="$MS_WORK/auto saved"
mkdir -p "$OUT"
# The folder as Wine names it: drive Z: is the Unix root.
cp "$MS_ROOT/assets/a.ini" "$MS_WORK/a.ini"
printf '[AutoSave]\r\nFolder=Z:%s\r\n' "${OUT//\//\\}" >>"$MS_WORK/a.ini"

start_program "$MS_WORK/a.ini" || fail_rest "cannot start the program"
wait_window "$MAIN" 30 >/dev/null || fail_rest "no main window"
sleep 0.5

# copy_region NAME WxH+X+Y X1 Y1 X2 Y2: a region snip handed to the running
# copy from the command line, dragged out and copied by a double click.
copy_region() {
  (cd "$PROGRAM_DIR" && timeout 30 "$WINE" ./MorrowenSnip.exe --region </dev/null >/dev/null 2>&1)
  wait_window "$EDITOR" 20 >/dev/null || return 1
  sleep 0.5
  mouse_drag "$3" "$4" "$5" "$6"
  sleep 0.2
  xdotool mousemove $((($3 + $5) / 2)) $((($4 + $6) / 2)) click --repeat 2 --delay 80 1
  wait_window_gone "$EDITOR" 10 || return 1
  crop_image "$MS_WORK/screen.png" "$MS_WORK/$1.expected.png" "$2"
}

copy_region a 200x120+100+100 100 100 300 220 || fail_rest "the first copy failed"
clipboard_image "$MS_WORK/clip.png" &&
  images_equal "$MS_WORK/a.expected.png" "$MS_WORK/clip.png" >/dev/null 2>&1 && clip_ok=1
copy_region b 160x90+800+600 800 600 960 690 || fail_rest "the second copy failed"
sleep 0.5

mapfile -t files < <(ls "$OUT")
if [ "${#files[@]}" = 2 ]; then ok one_file_per_copy; else ko one_file_per_copy "files: ${files[*]}"; fi
bad=""
for f in "${files[@]}"; do
  [[ "$f" =~ ^Snip\ [0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]{2}-[0-9]{2}-[0-9]{2}(\ \(2\))?\.png$ ]] || bad+="$f "
done
if [ "${#files[@]}" -gt 0 ] && [ -z "$bad" ]; then ok names_follow_the_pattern; else ko names_follow_the_pattern "names: ${files[*]}"; fi
# Each file holds one of the two snips, and both are there.
got=""
for f in "${files[@]}"; do
  images_equal "$MS_WORK/a.expected.png" "$OUT/$f" >/dev/null 2>&1 && got+="a"
  images_equal "$MS_WORK/b.expected.png" "$OUT/$f" >/dev/null 2>&1 && got+="b"
done
if [ "$(echo "$got" | grep -o . | sort | tr -d '\n')" = ab ]; then
  ok files_hold_the_snips
else
  ko files_hold_the_snips "matched: '$got'"
fi
if [ -n "${clip_ok:-}" ]; then ok clipboard_still_copied; else ko clipboard_still_copied "the clipboard lacks the first snip"; fi
end_program
fail_rest "not reached"
