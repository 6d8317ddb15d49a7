# shellcheck shell=bash
# Helpers for driving MorrowenSnip.exe from outside: a private X display, a
# private Wine prefix, the program in a fresh folder, xdotool input, the X
# clipboard and screenshots. Source it from a test script:
#
#   source "$(dirname "$0")/lib.sh"
#   start_display; ensure_prefix; start_wineserver
#   start_program; wid=$(wait_window "Morrowen Snip editor") || ...
#   pass "name" / fail "name" "reason"
#   finish
#
# Run alone, a script starts (and on exit stops) its own Xvfb and wineserver.
# Run by tests/run_all.sh (MS_E2E_SHARED=1) it reuses the runner's display,
# prefix and wineserver. Whatever this shell starts is stopped on exit, by pid.

MS_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
MS_BUILD=${MS_BUILD:-$MS_ROOT/build}
MS_EXE=${MS_EXE:-$MS_BUILD/win64/MorrowenSnip.exe}
WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINESERVER
MS_SCREEN=${MS_SCREEN:-1920x1080x24}

MS_PIDS=()          # every process this shell started, stopped by stop_all
MS_OWN_XVFB=""      # pid of the Xvfb we started, if any
MS_OWN_WINESERVER=""
MS_PREFIX_READY=""  # set by ensure_prefix: WINEPREFIX is ours
MS_PASSED=0
MS_FAILED=0
PROGRAM_PID=""
PROGRAM_DIR=""

ms_log() { echo "[e2e] $*" >&2; }

# A scratch folder for this shell, removed at exit unless MS_KEEP_WORK=1.
MS_WORK=$(mktemp -d "${TMPDIR:-/tmp}/ms-e2e.XXXXXX")

# ---------------------------------------------------------------- results

# pass NAME / fail NAME REASON: one result line each, counted by run_all.sh.
pass() { echo "PASS $1"; MS_PASSED=$((MS_PASSED + 1)); }
fail() { echo "FAIL $1: ${2:-failed}"; MS_FAILED=$((MS_FAILED + 1)); }

# check NAME COMMAND...: pass if COMMAND succeeds, else fail with its stderr.
# COMMAND runs in a subshell: for checks, not for what starts or exports things.
check() {
  local name=$1 err; shift
  if err=$("$@" 2>&1 >/dev/null); then pass "$name"; else fail "$name" "${err:-$* failed}"; fi
}

# Scripts with named cases set CASE_PREFIX=name and CASES=(case ...); ok CASE
# and ko CASE REASON decide one, fail_rest REASON fails every case not yet
# decided and finishes.
DONE=()
ok() { pass "$CASE_PREFIX.$1"; DONE+=("$1"); }
ko() { fail "$CASE_PREFIX.$1" "$2"; DONE+=("$1"); }
fail_rest() {
  local c
  for c in "${CASES[@]}"; do
    [[ " ${DONE[*]} " == *" $c "* ]] || fail "$CASE_PREFIX.$c" "$1"
  done
  finish
}

# finish: exit status of the script: 0 only if something passed and nothing failed.
finish() {
  [ "$MS_FAILED" -eq 0 ] && [ "$MS_PASSED" -gt 0 ]
  exit $?
}

# ---------------------------------------------------------------- environment

# start_display [WxHxD]: a private Xvfb; exports DISPLAY. Reuses the runner's.
start_display() {
  if [ "${MS_E2E_SHARED:-}" = 1 ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local screen=${1:-$MS_SCREEN} numfile="$MS_WORK/display-number" n
  # -displayfd: the server picks a free display number itself, so parallel
  # runs never collide; -noreset keeps the root picture when clients leave.
  Xvfb -displayfd 3 -screen 0 "$screen" -noreset -nolisten tcp \
    3>"$numfile" >"$MS_WORK/xvfb.log" 2>&1 &
  MS_OWN_XVFB=$!
  MS_PIDS+=("$MS_OWN_XVFB")
  for _ in $(seq 100); do
    n=$(head -n1 "$numfile" 2>/dev/null)
    if [ -n "$n" ] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
      export DISPLAY=":$n"
      ms_log "Xvfb $DISPLAY ($screen) pid $MS_OWN_XVFB"
      return 0
    fi
    kill -0 "$MS_OWN_XVFB" 2>/dev/null || break
    sleep 0.1
  done
  ms_log "Xvfb did not start: $(cat "$MS_WORK/xvfb.log")"
  return 1
}

# Settings the test prefix needs; a change here re-applies them to an existing prefix.
#  Managed=N: without a window manager, destroying a managed window stalls ~2 s.
#  ShowCrashDialog=0: a crashing program must exit, not wait on a dialog.
#  宋体: the window inspector's caption font, drawn with Debian's CJK font
#  (fonts-wqy-microhei), so its Chinese captions show as characters, not boxes.
MS_PREFIX_SETTINGS='
HKCU\Software\Wine\X11 Driver|Managed|REG_SZ|N
HKCU\Software\Wine\WineDbg|ShowCrashDialog|REG_DWORD|0
HKCU\Software\Wine\Fonts\Replacements|宋体|REG_SZ|WenQuanYi Micro Hei
'

# ensure_prefix: the project's private Wine prefix, created once:
# $MS_WINEPREFIX if set, else $MS_BUILD/wineprefix. A WINEPREFIX of the
# environment is the user's own set-up and is never used, nor are their DLL
# overrides; Wine's menu builder stays off, so no prefix of ours writes menu
# entries or file associations into the user's home either.
ensure_prefix() {
  export MS_WINEPREFIX=${MS_WINEPREFIX:-$MS_BUILD/wineprefix}
  export WINEPREFIX=$MS_WINEPREFIX
  export WINEDLLOVERRIDES=winemenubuilder.exe=d
  unset WINEARCH
  export WINEDEBUG=${WINEDEBUG:--all}
  local stamp="$WINEPREFIX/.morrowen-settings" want
  want=$(printf '%s' "$MS_PREFIX_SETTINGS" | md5sum | cut -d' ' -f1)
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9   # two runs on one tree must not build the prefix twice at once
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ] && exit 0
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      ms_log "creating Wine prefix $WINEPREFIX"
      # No Mono or Gecko: their install prompts would wait forever.
      WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mscoree,mshtml=" "$WINE" wineboot -i >"$MS_WORK/wineboot.log" 2>&1 ||
        { ms_log "wineboot failed: $(tail -5 "$MS_WORK/wineboot.log")"; exit 1; }
    fi
    local key value type data
    while IFS='|' read -r key value type data; do
      [ -n "$key" ] || continue
      # A UTF-8 locale carries the non-ASCII value names into Wine intact.
      LC_ALL=C.UTF-8 "$WINE" reg add "$key" /v "$value" /t "$type" /d "$data" /f >/dev/null 2>&1 ||
        { ms_log "reg add $key $value failed"; exit 1; }
    done <<<"$MS_PREFIX_SETTINGS"
    # The registry reaches the disk when the server exits: wait for that,
    # unless a server kept up for the run serves us (it would never exit).
    [ -n "$MS_OWN_WINESERVER" ] || [ "${MS_E2E_SHARED:-}" = 1 ] || "$WINESERVER" -w
    echo "$want" >"$stamp"
  ) 9>"$WINEPREFIX.lock" && MS_PREFIX_READY=1
}

# start_wineserver: one wineserver kept up for the whole run (a cold one costs
# about a second per program start), warmed up so that Wine's own background
# processes are already running. Reuses the runner's.
start_wineserver() {
  if [ "${MS_E2E_SHARED:-}" = 1 ]; then return 0; fi
  [ -n "${MS_PREFIX_READY:-}" ] || { ms_log "start_wineserver: ensure_prefix first"; return 1; }
  # Its own session, so a signal sent to our process group (a timeout, ^C)
  # cannot take the server down before stop_all has ended its programs; and a
  # linger of 30 s instead of forever, should this shell die without cleaning up.
  setsid "$WINESERVER" -f -p30 </dev/null >"$MS_WORK/wineserver.log" 2>&1 &
  MS_OWN_WINESERVER=$!
  MS_PIDS+=("$MS_OWN_WINESERVER")
  sleep 0.2
  if ! kill -0 "$MS_OWN_WINESERVER" 2>/dev/null; then
    # One already serves this prefix (another run on this tree): share it.
    MS_OWN_WINESERVER=""
  fi
  # Wine's services and desktop process start with the first program and keep
  # its standard output: let that be /dev/null, not a test's log or pipe.
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1
}

# stop_all: stops what this shell started (programs, wineserver, Xvfb), by pid.
stop_all() {
  local pid i
  for ((i = ${#MS_PIDS[@]} - 1; i >= 0; i--)); do
    pid=${MS_PIDS[i]}
    if [ "$pid" = "$MS_OWN_WINESERVER" ]; then
      # Ends the prefix's programs too; the prefix is ours alone.
      "$WINESERVER" -k 2>/dev/null
    fi
    kill "$pid" 2>/dev/null
  done
  for pid in "${MS_PIDS[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  MS_PIDS=()
  MS_OWN_XVFB="" MS_OWN_WINESERVER=""
}

ms_cleanup() {
  stop_all
  if [ "${MS_KEEP_WORK:-}" = 1 ]; then ms_log "kept $MS_WORK"; else rm -rf "$MS_WORK"; fi
}
trap ms_cleanup EXIT
# A runner's timeout sends TERM: still stop what we started.
trap 'exit 143' TERM INT

# ---------------------------------------------------------------- the program

# start_program [FILE...] [-- ARG...]: copies the exe, the pictures drawn
# with it and FILEs (a.ini, pictures) into a fresh folder, since the program keeps a.ini beside itself,
# and starts it there. Sets PROGRAM_PID and PROGRAM_DIR.
start_program() {
  local files=() args=()
  while [ $# -gt 0 ]; do
    if [ "$1" = -- ]; then shift; args=("$@"); break; fi
    files+=("$1"); shift
  done
  [ -f "$MS_EXE" ] || { ms_log "no program at $MS_EXE"; return 1; }
  PROGRAM_DIR=$(mktemp -d "$MS_WORK/program.XXXX")
  cp "$MS_EXE" "$PROGRAM_DIR/MorrowenSnip.exe"
  # The frame and sticker pictures, in the release's pictures folder (set
  # MS_PICTURES_BESIDE=1 for the older layout, beside the exe).
  local pictures=("$(dirname "$MS_EXE")"/pictures/*) to=$PROGRAM_DIR/pictures
  [ "${MS_PICTURES_BESIDE:-}" = 1 ] && to=$PROGRAM_DIR
  mkdir -p "$to"
  [ -e "${pictures[0]}" ] && cp "${pictures[@]}" "$to/"
  [ ${#files[@]} -eq 0 ] || cp "${files[@]}" "$PROGRAM_DIR/"
  (cd "$PROGRAM_DIR" && exec "$WINE" ./MorrowenSnip.exe "${args[@]}") \
    </dev/null >"$PROGRAM_DIR/stdout.log" 2>"$PROGRAM_DIR/stderr.log" &
  PROGRAM_PID=$!
  MS_PIDS+=("$PROGRAM_PID")
}

# open_editor_with INI HOTKEY: starts the program with the settings file INI
# and opens an editor as a user does: a click on the main window (a hotkey
# reaches the program only while one of its windows has the focus), then the
# hotkey. The editor's window id goes to EDITOR_WID.
open_editor_with() {
  local main
  start_program "$1" || return 1
  main=$(wait_window "Morrowen Snip" 30) || return 1
  sleep 0.5                       # the hotkey loop starts 10 ms after the window
  press_program_hotkey "$main" "$2"
  EDITOR_WID=$(wait_window "Morrowen Snip editor" 30) || return 1
  # Let the frozen picture reach the screen before the pointer moves over it.
  sleep 0.5
}

# end_program: ends the program started last (after a snip its main window
# stays hidden, so there is nothing to click).
end_program() {
  kill "$PROGRAM_PID" 2>/dev/null
  wait_exit "$PROGRAM_PID" 10 || kill -9 "$PROGRAM_PID" 2>/dev/null
}

# wait_exit PID [SECONDS]: waits for PID to end; its exit code goes to EXIT_CODE.
wait_exit() {
  local pid=$1 limit=${2:-10} i
  for ((i = 0; i < limit * 10; i++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" 2>/dev/null; EXIT_CODE=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# ---------------------------------------------------------------- windows

# wait_window TITLE [SECONDS]: prints the id of the visible window titled
# exactly TITLE once it exists; fails after SECONDS (default 20).
wait_window() {
  local title=$1 limit=${2:-20} i ids
  for ((i = 0; i < limit * 10; i++)); do
    ids=$(xdotool search --onlyvisible --name "^$(ms_regex_quote "$title")\$" 2>/dev/null)
    if [ -n "$ids" ]; then echo "${ids%%$'\n'*}"; return 0; fi
    sleep 0.1
  done
  return 1
}

# wait_window_gone TITLE [SECONDS]: succeeds once no visible window has TITLE.
wait_window_gone() {
  local title=$1 limit=${2:-10} i
  for ((i = 0; i < limit * 10; i++)); do
    xdotool search --onlyvisible --name "^$(ms_regex_quote "$title")\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

ms_regex_quote() { sed 's/[][\.*^$+?(){}|]/\\&/g' <<<"$1"; }

# window_geometry WID: prints "X Y W H" of the window on the screen.
window_geometry() {
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  echo "$X $Y $WIDTH $HEIGHT"
}

# focus_window WID: gives WID the keyboard focus (no window manager here, so
# it is set directly) and waits until the X server reports it.
focus_window() {
  local i
  for ((i = 0; i < 20; i++)); do
    xdotool windowfocus "$1" 2>/dev/null
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && { sleep 0.1; return 0; }
    sleep 0.1
  done
  return 1
}

# click_window WID [X Y] [BUTTON]: clicks inside WID at (X, Y) relative to its
# outer corner, by default its centre. Without a window manager Wine draws a
# window's frame and caption inside the X window, so for a framed window the
# client area starts below and right of (0, 0).
click_window() {
  local wid=$1 x=${2:-} y=${3:-} button=${4:-1} wx wy ww wh
  read -r wx wy ww wh < <(window_geometry "$wid")
  [ -n "$x" ] || { x=$((ww / 2)); y=$((wh / 2)); }
  mouse_move $((wx + x)) $((wy + y))
  xdotool click "$button"
  sleep 0.1
}

# press_program_hotkey MAIN_WID COMBO: a global hotkey reaches the program only
# while one of its windows has the focus, so click the main window first on a
# spot where a press does nothing else (its "Logo Preview" caption), then type.
press_program_hotkey() { click_window "$1" 310 64 && key "$2"; }

# ---------------------------------------------------------------- input

# key COMBO...: presses each COMBO (e.g. Escape, ctrl+c, ctrl+shift+F1) as a
# person types it: each modifier goes down as its own event, then the key,
# then the modifiers come up, with short pauses between. Keys go to the window
# with the focus (focus_window or click_window first).
key() {
  local combo parts mods k i
  for combo in "$@"; do
    IFS=+ read -r -a parts <<<"$combo"
    k=${parts[-1]}
    mods=("${parts[@]:0:${#parts[@]}-1}")
    for m in "${mods[@]}"; do xdotool keydown "$m"; sleep 0.02; done
    xdotool key "$k"
    for ((i = ${#mods[@]} - 1; i >= 0; i--)); do sleep 0.02; xdotool keyup "${mods[i]}"; done
    sleep 0.05
  done
}

# type_text TEXT: types TEXT into the focused window.
type_text() { xdotool type --delay 30 -- "$1"; }

# windows_path PATH: PATH as the program sees it (Wine's Z: drive is /).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# remember_save_folder: the running program's a.ini names its own folder as
# the last one saved to, so its save dialog opens there (the first save of a
# fresh copy opens in the Pictures folder).
remember_save_folder() {
  printf '[Save]\r\nLastFolder=%s\r\n' "$(windows_path "$PROGRAM_DIR")" >>"$PROGRAM_DIR/a.ini"
}

# mouse_move X Y [STEP]: moves the pointer to screen (X, Y) in steps of STEP
# pixels (default 10), so the program sees a path, not a jump.
mouse_move() {
  local tx=$1 ty=$2 step=${3:-10} X Y n i
  eval "$(xdotool getmouselocation --shell | grep -E '^(X|Y)=')"
  n=$(( (tx > X ? tx - X : X - tx) > (ty > Y ? ty - Y : Y - ty) ?
        (tx > X ? tx - X : X - tx) : (ty > Y ? ty - Y : Y - ty) ))
  n=$(( (n + step - 1) / step ))
  for ((i = 1; i <= n; i++)); do
    xdotool mousemove $((X + (tx - X) * i / n)) $((Y + (ty - Y) * i / n))
    sleep 0.01
  done
  xdotool mousemove "$tx" "$ty"
  sleep 0.02
}

# mouse_drag X1 Y1 X2 Y2 [BUTTON]: press at (X1, Y1), move in steps, release
# at (X2, Y2), in screen pixels.
mouse_drag() {
  local button=${5:-1}
  mouse_move "$1" "$2"
  xdotool mousedown "$button"; sleep 0.05
  mouse_move "$3" "$4"
  sleep 0.05; xdotool mouseup "$button"; sleep 0.1
}

# ---------------------------------------------------------------- pictures

# screenshot FILE: the whole screen as the X server has it, to FILE (PNG).
screenshot() { import -window root "PNG24:$1"; }

# clipboard_image FILE: the clipboard's bitmap (Wine offers it as image/bmp)
# saved as PNG; fails if the clipboard holds no image.
clipboard_image() {
  local bmp="$MS_WORK/clipboard.$$.bmp"
  timeout 10 xclip -selection clipboard -t image/bmp -o >"$bmp" 2>/dev/null && [ -s "$bmp" ] &&
    convert "bmp:$bmp" "PNG24:$1"
}

# clipboard_targets: lists the formats the clipboard offers, one a line.
clipboard_targets() { timeout 10 xclip -selection clipboard -t TARGETS -o 2>/dev/null; }

# image_size FILE: prints "W H".
image_size() { identify -format '%w %h\n' "$1" | head -n1; }

# diff_pixels A B [FUZZ%]: prints how many pixels differ (by more than FUZZ).
diff_pixels() {
  local out
  out=$(compare -metric AE ${3:+-fuzz "$3"} "$1" "$2" null: 2>&1)
  case $out in
    ''|*[!0-9.e+]*) echo "compare: $out" >&2; return 2 ;;
  esac
  printf '%.0f\n' "$out"
}

# images_equal A B: same size and every pixel equal; says what differs if not.
images_equal() { images_close "$1" "$2" 0; }

# expect_same_picture CASE EXPECTED GOT [WHAT]: the case passes when the two
# pictures are equal, else fails with WHAT and how they differ.
expect_same_picture() {
  local why
  if why=$(images_equal "$2" "$3" 2>&1); then ok "$1"; else ko "$1" "${4:+$4: }$why"; fi
}

# images_close A B MAX_PIXELS [FUZZ%]: same size and at most MAX_PIXELS pixels
# differ by more than FUZZ (e.g. 2%).
images_close() {
  local sa sb n
  sa=$(image_size "$1") && sb=$(image_size "$2") || return 2
  if [ "$sa" != "$sb" ]; then echo "sizes differ: $sa vs $sb" >&2; return 1; fi
  n=$(diff_pixels "$1" "$2" "${4:-}") || return 2
  if [ "$n" -gt "$3" ]; then echo "$n pixels differ" >&2; return 1; fi
}

# crop_image IN OUT WxH+X+Y: cuts a rectangle out of IN.
crop_image() { convert "$1" -crop "$3" +repage "PNG24:$2"; }

# pixel_color FILE X Y: prints the pixel as "R,G,B".
pixel_color() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# screen_size: prints the display's size as WxH.
screen_size() { xdpyinfo | awk '/dimensions:/ { print $2; exit }'; }

# make_pattern FILE [WxH] [SEED]: a picture no two places of which look alike
# (seeded fractal noise with two solid blocks), the same for the same SEED; a
# copy shifted by one pixel differs almost everywhere. Default size: the screen.
make_pattern() {
  local size=${2:-$(screen_size)} seed=${3:-7}
  local w=${size%x*} h=${size#*x}
  convert -size "${w}x${h}" -seed "$seed" plasma:fractal \
    -fill white -draw "rectangle $((w / 8)),$((h / 8)) $((w / 8 + 97)),$((h / 8 + 41))" \
    -fill black -draw "rectangle $((w / 2)),$((h / 3)) $((w / 2 + 13)),$((h / 3 + 211))" \
    -depth 8 "PNG24:$1"
}

# show_picture FILE: makes FILE the root window's picture, where it stays
# (Xvfb runs with -noreset) under and after every window, no window manager needed.
show_picture() {
  display -window root "$1" && sleep 0.2
}

# ---------------------------------------------------------------- files

# ini_value FILE SECTION KEY: prints KEY's value in SECTION of an INI file.
ini_value() {
  tr -d '\r' <"$1" | awk -F= -v s="[$2]" -v k="$3" '
    /^\[/ { in_s = (tolower($0) == tolower(s)); next }
    in_s && tolower($1) == tolower(k) { sub(/^[^=]*=/, ""); print; exit }'
}
