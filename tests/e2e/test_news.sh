#!/usr/bin/env bash
# The news panel as a user meets it, against a local HTTPS server on
# 127.0.0.1 that answers for the vendor's host. For that the test adds a
# hosts entry and a test CA to the system's certificate bundle (Wine trusts
# that bundle) and points Wine's browser launcher at a stand-in that writes
# down what it was asked to open; all three are taken back at the end, also
# on failure, and any left over from a killed run are removed at the start.
#  - a server whose certificate the system does not trust gets no caption shown;
#  - the four captions are shown, and a click opens the address below its caption;
#  - a file whose addresses are programs, files or scripts opens nothing;
#  - while a server holds the connection for 30 s, the hotkey opens the editor
#    at once, and a close by the system (taskkill, which sends the window its
#    close request) or the exit picture ends the program at once;
#  - a refused connection leaves the panel empty and the program working.
source "$(dirname "$0")/lib.sh"

MAIN="Morrowen Snip"
EDITOR="Morrowen Snip editor"
CASE_PREFIX=news
CASES=(untrusted_shows_nothing captions_shown caption_opens hostile_opens_nothing held_hotkey_at_once held_close_at_once
       held_exit_at_once refused_leaves_empty refused_responsive)

HOST=www.morrowen.com
MARK=morrowen-snip-e2e-news
HOSTS_FILE=/etc/hosts
BUNDLE=/etc/ssl/certs/ca-certificates.crt
PYTHON=/usr/bin/python3
BROWSER_KEY='HKCU\Software\Wine\WineBrowser'
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY

# The captions in window pixels at 96 dpi: x y width height.
LABEL7=(136 270 153 17)
LABEL10=(136 294 145 17)
LABEL11=(136 318 145 17)
LABEL12=(24 278 105 49)
EXIT_SPOT=(424 20)
OPENED="$MS_WORK/opened.txt"
SERVER_LOG="$MS_WORK/server.log"
SERVER_PID=""

# ---------------------------------------------------------------- the machine

# Rewrites FILE in place without the lines (or begin..end blocks) carrying
# our mark: /etc/hosts may be a mount point that cannot be replaced by a rename.
drop_marked() {
  local tmp="$MS_WORK/unmarked.$$"
  sed "/# $MARK begin/,/# $MARK end/d; /# $MARK\$/d" "$1" >"$tmp" && cat "$tmp" >"$1"
  rm -f "$tmp"
}

OLD_BROWSERS=""
HAD_BROWSERS=""
news_restore() {
  [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null
  drop_marked "$HOSTS_FILE"
  drop_marked "$BUNDLE"
  if [ -n "${MS_PREFIX_READY:-}" ]; then
    if [ -n "$HAD_BROWSERS" ]; then
      "$WINE" reg add "$BROWSER_KEY" /v Browsers /t REG_SZ /d "$OLD_BROWSERS" /f >/dev/null 2>&1
    else
      "$WINE" reg delete "$BROWSER_KEY" /v Browsers /f >/dev/null 2>&1
    fi
  fi
}
trap 'news_restore; ms_cleanup' EXIT

make_certificates() {
  local d="$MS_WORK/tls"
  mkdir -p "$d"
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$d/ca.key" -out "$d/ca.pem" -days 2 \
    -subj "/CN=Morrowen Snip e2e test CA" -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" >/dev/null 2>&1 &&
  openssl req -newkey rsa:2048 -nodes -keyout "$d/server.key" -out "$d/server.csr" \
    -subj "/CN=$HOST" >/dev/null 2>&1 &&
  printf 'subjectAltName=DNS:%s\nextendedKeyUsage=serverAuth\nbasicConstraints=CA:FALSE\n' "$HOST" >"$d/ext" &&
  openssl x509 -req -in "$d/server.csr" -CA "$d/ca.pem" -CAkey "$d/ca.key" -CAcreateserial \
    -out "$d/server.pem" -days 2 -extfile "$d/ext" >/dev/null 2>&1
}

trust_test_host() {
  drop_marked "$HOSTS_FILE"
  drop_marked "$BUNDLE"
  { echo "# $MARK begin"; cat "$MS_WORK/tls/ca.pem"; echo "# $MARK end"; } >>"$BUNDLE"
  echo "127.0.0.1 $HOST # $MARK" >>"$HOSTS_FILE"
}

# Wine's browser launcher runs the first program of this list that exists.
use_browser_standin() {
  local old
  if old=$("$WINE" reg query "$BROWSER_KEY" /v Browsers 2>/dev/null | tr -d '\r' | awk '/Browsers/ { sub(/.*REG_SZ[ \t]*/, ""); print }'); then
    HAD_BROWSERS=1 OLD_BROWSERS=$old
  fi
  cat >"$MS_WORK/browser" <<EOF
#!/bin/sh
for a in "\$@"; do case \$a in -*) ;; *) echo "\$a" >>"$OPENED" ;; esac; done
EOF
  chmod +x "$MS_WORK/browser"
  "$WINE" reg add "$BROWSER_KEY" /v Browsers /t REG_SZ /d "$MS_WORK/browser" /f >/dev/null 2>&1
}

# ---------------------------------------------------------------- the server

# start_server serve FILE | hold SECONDS
start_server() {
  : >"$SERVER_LOG"
  "$PYTHON" "$MS_ROOT/tests/e2e/news_server.py" --cert "$MS_WORK/tls/server.pem" --key "$MS_WORK/tls/server.key" \
    --log "$SERVER_LOG" --life 150 "$@" >"$MS_WORK/server.out" 2>&1 &
  SERVER_PID=$!
  MS_PIDS+=("$SERVER_PID")
  wait_log listening 10
}

stop_server() {
  [ -n "$SERVER_PID" ] || return 0
  kill "$SERVER_PID" 2>/dev/null
  wait "$SERVER_PID" 2>/dev/null
  SERVER_PID=""
}

# wait_log PATTERN SECONDS [COUNT]: until the server's log has COUNT (1) lines matching PATTERN.
wait_log() {
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    [ "$(grep -c -- "$1" "$SERVER_LOG" 2>/dev/null)" -ge "${3:-1}" ] && return 0
    sleep 0.1
  done
  return 1
}

# ---------------------------------------------------------------- the program

start_main() {
  start_program "$MS_ROOT/assets/a.ini" || return 1
  MAIN_WID=$(wait_window "$MAIN" 30)
}

stop_program() {
  kill "$PROGRAM_PID" 2>/dev/null
  wait_exit "$PROGRAM_PID" 10 || kill -9 "$PROGRAM_PID" 2>/dev/null
}

# ink SHOT WID X Y W H COLOR: how many pixels of that window rectangle are
# close to COLOR (the caption's text colour).
ink() {
  local shot=$1 wid=$2 x=$3 y=$4 w=$5 h=$6 color=$7 wx wy ww wh differ
  read -r wx wy ww wh < <(window_geometry "$wid")
  crop_image "$shot" "$MS_WORK/ink.png" "${w}x${h}+$((wx + x))+$((wy + y))"
  convert -size "${w}x$h" "xc:$color" "PNG24:$MS_WORK/solid.png"
  differ=$(diff_pixels "$MS_WORK/ink.png" "$MS_WORK/solid.png" 30%) || { echo 0; return; }
  echo $((w * h - differ))
}

# spot NAME: the rectangle of caption NAME (LABEL7 ...) as "X Y W H".
spot() { eval "echo \"\${$1[*]}\""; }
# caption_ink SHOT NAME: pixels of the caption's colour in its rectangle.
caption_ink() {
  local color="#0000FF"
  [ "$2" = LABEL12 ] && color="#FF0000"
  # shellcheck disable=SC2046
  ink "$1" "$MAIN_WID" $(spot "$2") "$color"
}

# captions_inked SHOT: every caption shows text.
captions_inked() {
  local name n
  for name in LABEL7 LABEL10 LABEL11 LABEL12; do
    n=$(caption_ink "$1" "$name")
    [ "$n" -ge 8 ] || { echo "$name shows $n pixels of its colour" >&2; return 1; }
  done
}

# captions_blank SHOT: no caption shows any text.
captions_blank() {
  local name total=0
  for name in LABEL7 LABEL10 LABEL11 LABEL12; do total=$((total + $(caption_ink "$1" "$name"))); done
  [ "$total" -eq 0 ] || { echo "$total caption pixels where none should be" >&2; return 1; }
}

click_caption() {
  local x y w h
  read -r x y w h <<<"$(spot "$1")"
  click_window "$MAIN_WID" $((x + 12)) $((y + h / 2))
}

visible_titles() { xdotool search --onlyvisible --name '.' getwindowname %@ 2>/dev/null | sort; }

# ---------------------------------------------------------------- set-up

[ -x "$PYTHON" ] || fail_rest "no $PYTHON (install python3)"
[ -w "$HOSTS_FILE" ] && [ -w "$BUNDLE" ] || fail_rest "needs root: $HOSTS_FILE and $BUNDLE are changed for the test"
start_display || fail_rest "no X display"
ensure_prefix || fail_rest "no Wine prefix"
start_wineserver
make_certificates || fail_rest "openssl could not make the test certificates"
use_browser_standin

# 0. The host answers, but with a certificate from a CA nobody trusts yet.
drop_marked "$HOSTS_FILE"
echo "127.0.0.1 $HOST # $MARK" >>"$HOSTS_FILE"
printf 'Untrusted\n' >"$MS_WORK/1.txt"
start_server serve "$MS_WORK/1.txt" || fail_rest "the local HTTPS server did not start: $(cat "$MS_WORK/server.out")"
start_main || fail_rest "no main window"
if wait_log request 15; then
  sleep 1
  screenshot "$MS_WORK/untrusted.png"
  if err=$(captions_blank "$MS_WORK/untrusted.png" 2>&1); then ok untrusted_shows_nothing; else ko untrusted_shows_nothing "$err"; fi
else
  ko untrusted_shows_nothing "the program did not connect"
fi
stop_program
stop_server
trust_test_host

# 1. Four captions, one opened. Every line fits the box's width (1815 twips
# in its font, about 20 characters): a wider one would be split over two labels.
cat >"$MS_WORK/1.txt" <<'EOF'
New frames
Window snips
Logo tips
Now with frames
https://mw.cn/n1
https://mw.cn/n2
https://mw.cn/n3
https://mw.cn/n4
EOF
start_server serve "$MS_WORK/1.txt" || fail_rest "the local HTTPS server did not start: $(cat "$MS_WORK/server.out")"
start_main || fail_rest "no main window"
if ! wait_log "answered" 15; then
  ko captions_shown "the program fetched nothing: $(cat "$SERVER_LOG")"
  ko caption_opens "no fetch"
else
  sleep 1
  screenshot "$MS_WORK/news.png"
  read -r wx wy ww wh < <(window_geometry "$MAIN_WID")
  crop_image "$MS_WORK/news.png" "$MS_WORK/news_window.png" "${ww}x${wh}+$wx+$wy"
  [ "${MS_KEEP_WORK:-}" = 1 ] && ms_log "the main window with the news: $MS_WORK/news_window.png"
  grep -q "GET /snip/1.txt HTTP/1.1" "$SERVER_LOG" || ko captions_shown "asked for: $(grep GET "$SERVER_LOG")"
  if err=$(captions_inked "$MS_WORK/news.png" 2>&1); then ok captions_shown; else ko captions_shown "$err"; fi
  rm -f "$OPENED"
  click_caption LABEL10
  for _ in $(seq 100); do [ -s "$OPENED" ] && break; sleep 0.1; done
  sleep 0.5
  if [ "$(cat "$OPENED" 2>/dev/null)" = "https://mw.cn/n2" ]; then
    ok caption_opens
  else
    ko caption_opens "the browser was asked for: '$(cat "$OPENED" 2>/dev/null)'"
  fi
fi
stop_program
stop_server

# 2. Addresses that are no web addresses.
cat >"$MS_WORK/1.txt" <<'EOF'
Update now
Free stickers
Read me
GO
winver.exe
file:///c:/windows
C:\windows
javascript:x()
EOF
start_server serve "$MS_WORK/1.txt" || fail_rest "the local HTTPS server did not start"
start_main || fail_rest "no main window"
rm -f "$OPENED"
if wait_log "answered" 15 && sleep 1 && screenshot "$MS_WORK/hostile.png" &&
   err=$(captions_inked "$MS_WORK/hostile.png" 2>&1); then
  before=$(visible_titles)
  for spot in LABEL7 LABEL10 LABEL11 LABEL12; do click_caption "$spot"; done
  sleep 3
  after=$(visible_titles)
  if [ -s "$OPENED" ]; then
    ko hostile_opens_nothing "the browser was asked for: $(cat "$OPENED")"
  elif [ "$before" != "$after" ]; then
    ko hostile_opens_nothing "new windows: $(comm -13 <(echo "$before") <(echo "$after") | tr '\n' ' ')"
  else
    ok hostile_opens_nothing
  fi
else
  ko hostile_opens_nothing "the hostile captions were not shown: ${err:-no fetch}"
fi
stop_program
stop_server

# 3. A server that holds the connection for 30 s.
start_server hold 30 || fail_rest "the local HTTPS server did not start"
start_main || fail_rest "no main window"
if wait_log holding 15; then
  started=$(date +%s%N)
  press_program_hotkey "$MAIN_WID" alt+q
  if wait_window "$EDITOR" 5 >/dev/null; then
    ms=$((($(date +%s%N) - started) / 1000000))
    ms_log "the editor opened $ms ms after Alt+Q, the transfer still held"
    if [ "$ms" -le 3000 ]; then ok held_hotkey_at_once; else ko held_hotkey_at_once "the editor took $ms ms"; fi
    key Escape
    wait_window_gone "$EDITOR" 5
  else
    ko held_hotkey_at_once "no editor within 5 s of Alt+Q during the transfer"
  fi
else
  ko held_hotkey_at_once "the program did not connect: $(cat "$SERVER_LOG")"
fi
stop_program
# ends_at_once CASE CONNECTIONS HOW ACTION...: a fresh start, and once the
# server holds its CONNECTIONS-th connection, ACTION must end the program
# within 5 s with exit code 0: well before the fetch's own 10 s limit, so the
# end does not wait for the transfer (3 s proved too tight on a busy machine).
ends_at_once() {
  local name=$1 connections=$2 how=$3
  shift 3
  start_main || fail_rest "no main window"
  if ! wait_log holding 15 "$connections"; then
    ko "$name" "the program did not connect"
  else
    "$@"
    if ! wait_exit "$PROGRAM_PID" 5; then
      ko "$name" "still running 5 s after $how"
    elif [ "$EXIT_CODE" != 0 ]; then
      ko "$name" "ended with code $EXIT_CODE"
    else
      ok "$name"
    fi
  fi
  stop_program
}
# The user's Alt+F4 only hides the window to the tray; a close request sent
# to the window (as taskkill without /f does) unloads it.
close_by_system() { "$WINE" taskkill /im MorrowenSnip.exe >/dev/null 2>&1; }
click_exit() { click_window "$MAIN_WID" "${EXIT_SPOT[@]}"; }
# The system's close command: the window unloads and abandons the transfer.
ends_at_once held_close_at_once 2 "a close request" close_by_system
ends_at_once held_exit_at_once 3 "the exit picture" click_exit
stop_server

# 4. Nothing listens: the connection is refused.
start_main || fail_rest "no main window"
sleep 3
screenshot "$MS_WORK/refused.png"
if err=$(captions_blank "$MS_WORK/refused.png" 2>&1); then ok refused_leaves_empty; else ko refused_leaves_empty "$err"; fi
press_program_hotkey "$MAIN_WID" alt+q
if wait_window "$EDITOR" 5 >/dev/null && kill -0 "$PROGRAM_PID" 2>/dev/null; then
  ok refused_responsive
  key Escape
else
  ko refused_responsive "no editor within 5 s of Alt+Q"
fi
stop_program

finish
