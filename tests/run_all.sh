#!/usr/bin/env bash
# Runs the test levels against what `make build` made and ends with one line:
#   SUMMARY: <passed> passed, <failed> failed[, <skipped> skipped]
# exiting non-zero if anything failed.
#
#   tests/run_all.sh              all four levels
#   tests/run_all.sh unit e2e     only those (unit, win, e2e, win32)
#
# unit  build/linux/unit_tests           GoogleTest, native, headless backend
# win   build/win64/win_tests.exe        GoogleTest under wine64 on a private Xvfb
# e2e   tests/e2e/test_*.sh              each drives MorrowenSnip.exe; PASS/FAIL lines
# win32 the 32-bit build under emulation (scripts/setup-win32-emu.sh, made by
#       make deps): build/win32/win_tests.exe (WIN32_FILTER), then
#       tests/win32/test_*.sh on the release exe build/win32/MorrowenSnip.exe;
#       skipped, with a line saying why, where the emulator is not set up
# A GoogleTest case counts once; an e2e script counts each PASS or FAIL line.
# A program that crashes or hangs counts as one more failure. Full output of
# every level is kept under build/test-logs/ by a run of all three levels, and
# under build/test-logs/partial/ by a run of fewer, so that a quick run of one
# level never deletes the logs of the last full run.
set -u
cd "$(dirname "$0")/.."
source tests/e2e/lib.sh
source tests/win32/lib32.sh

LEVELS=("$@")
[ ${#LEVELS[@]} -gt 0 ] || LEVELS=(unit win e2e win32)

wants() { [[ " ${LEVELS[*]} " == *" $1 "* ]]; }

# A full run replaces every log (the partial ones are older than it).
if wants unit && wants win && wants e2e && wants win32; then
  LOGS=$MS_BUILD/test-logs
else
  LOGS=$MS_BUILD/test-logs/partial
fi
rm -rf "$LOGS" && mkdir -p "$LOGS"

UNIT_TIMEOUT=${UNIT_TIMEOUT:-600}
WIN_TIMEOUT=${WIN_TIMEOUT:-600}
E2E_TIMEOUT=${E2E_TIMEOUT:-300}
WIN32_TIMEOUT=${WIN32_TIMEOUT:-420}
WIN32_E2E_TIMEOUT=${WIN32_E2E_TIMEOUT:-420}

PASSED=0 FAILED=0 SKIPPED=0

# level_line NAME PASSED FAILED SKIPPED SECONDS
level_line() { echo "== $1: passed $2, failed $3, skipped $4 ($5 s)"; }

# gtest_level NAME LOG COMMAND...: runs a GoogleTest program and counts its
# cases. If the program dies or hangs inside a case, that case fails and the
# program runs again on the cases it had not reached (at most 3 runs).
gtest_level() {
  local name=$1 log=$2 start=$SECONDS; shift 2
  local p=0 f=0 s=0 round rc left running seen="" part="$log.part"
  # The base filter (GTEST_FILTER, or the level's own) holds on the reruns too.
  local base=${LEVEL_FILTER:-${GTEST_FILTER:-*}} filter=()
  [ "$base" = "*" ] || filter=("--gtest_filter=$base")
  echo "== $name: $*"
  : >"$log"
  for round in 1 2 3; do
    left=$((TIMEOUT - (SECONDS - start)))
    [ "$left" -gt 0 ] || left=1
    # To a file, not a pipe: Wine's background processes may hold the output
    # open after the test program ends. Windows programs end lines with CR LF.
    timeout -k 10 "$left" "$@" --gtest_color=no "${filter[@]}" </dev/null >"$part" 2>&1
    rc=$?
    tr -d '\r' <"$part" >"$part.txt"
    cat "$part.txt" >>"$log"
    p=$((p + $(grep -c '^\[       OK \] ' "$part.txt")))
    f=$((f + $(grep -cE '^\[  FAILED  \] .*\([0-9]+ ms\)$' "$part.txt")))
    s=$((s + $(grep -cE '^\[  SKIPPED \] .*\([0-9]+ ms\)$' "$part.txt")))
    # Each failed case with what it printed, from its RUN line to its FAILED line.
    awk '/^\[ RUN      \]/ { buf = "" } { buf = buf $0 "\n" }
         /^\[  FAILED  \] .*\([0-9]+ ms\)$/ { printf "%s", buf }' "$part.txt"
    if [ "$rc" -eq 0 ] || grep -q '^\[==========\] .* ran\.' "$part.txt"; then
      if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then
        f=$((f + 1))
        echo "[  FAILED  ] $name: exited with code $rc after its cases ran"
        tail -n 20 "$part.txt"
      fi
      break
    fi
    # Died or hung: one failure, and where.
    f=$((f + 1))
    running=$(awk '/^\[ RUN      \]/ { t = $4 } /^\[       OK \]|^\[  FAILED  \]|^\[  SKIPPED \]/ { t = "" }
                   END { print t }' "$part.txt")
    case $rc in
      124|137) echo "[  FAILED  ] $name: timed out after $TIMEOUT s${running:+ in $running}" ;;
      *) echo "[  FAILED  ] $name: exited with code $rc${running:+ in $running}" ;;
    esac
    awk '/^\[ RUN      \]/ { n = NR } { line[NR] = $0 } END { for (i = n; i <= NR && i < n + 60; i++) print line[i] }' "$part.txt"
    [ -n "$running" ] && [ $((SECONDS - start)) -lt "$TIMEOUT" ] || break
    # Again, without the cases that have run and the one that died.
    seen+=$(awk '/^\[ RUN      \]/ { printf ":%s", $4 }' "$part.txt")
    if [[ $base == *-* ]]; then filter=("--gtest_filter=$base$seen"); else filter=("--gtest_filter=$base-${seen#:}"); fi
    echo "== $name: running the remaining cases"
  done
  rm -f "$part" "$part.txt"
  PASSED=$((PASSED + p)) FAILED=$((FAILED + f)) SKIPPED=$((SKIPPED + s))
  level_line "$name" "$p" "$f" "$s" $((SECONDS - start))
}

# e2e_scripts NAME SCRIPT...: runs each script, counting its PASS and FAIL
# lines; a script that dies, hangs or reports nothing is one more failure.
e2e_scripts() {
  local name=$1 start=$SECONDS p=0 f=0 script base log rc sp sf; shift
  for script in "$@"; do
    [ -f "$script" ] || continue
    base=$(basename "$script" .sh)
    log="$LOGS/$name-$base.log"
    timeout -k 10 "$TIMEOUT" bash "$script" </dev/null >"$log" 2>&1
    rc=$?
    grep -E '^(PASS|FAIL) ' "$log"
    sp=$(grep -c '^PASS ' "$log") sf=$(grep -c '^FAIL ' "$log")
    if [ "$rc" -ne 0 ] && [ "$sf" -eq 0 ]; then
      if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
        echo "FAIL $base: timed out after $TIMEOUT s"
      else
        echo "FAIL $base: exited with code $rc"
      fi
      tail -n 10 "$log"
      sf=1
    elif [ "$sp" -eq 0 ] && [ "$sf" -eq 0 ]; then
      echo "FAIL $base: reported no result"
      sf=1
    fi
    p=$((p + sp)) f=$((f + sf))
  done
  PASSED=$((PASSED + p)) FAILED=$((FAILED + f))
  level_line "$name" "$p" "$f" 0 $((SECONDS - start))
}

# missing NAME WHAT: a level whose program was not built fails once.
missing() {
  echo "[  FAILED  ] $1: $2 not found (make build)"
  FAILED=$((FAILED + 1))
  level_line "$1" 0 1 0 0
}

if wants unit; then
  if [ -x "$MS_BUILD/linux/unit_tests" ]; then
    TIMEOUT=$UNIT_TIMEOUT gtest_level unit "$LOGS/unit.log" "$MS_BUILD/linux/unit_tests"
  else
    missing unit "$MS_BUILD/linux/unit_tests"
  fi
fi

if wants win || wants e2e; then
  # One display, prefix and wineserver for both Windows levels.
  if ! start_display || ! ensure_prefix; then
    echo "[  FAILED  ] environment: no X display or Wine prefix"
    stop_all
    echo "SUMMARY: $PASSED passed, $((FAILED + 1)) failed"
    exit 1
  fi
  start_wineserver
  export MS_E2E_SHARED=1 DISPLAY WINEPREFIX WINEDEBUG
fi

if wants win; then
  if [ -f "$MS_BUILD/win64/win_tests.exe" ]; then
    mkdir -p "$MS_WORK/win" && pushd "$MS_WORK/win" >/dev/null
    TIMEOUT=$WIN_TIMEOUT gtest_level win "$LOGS/win.log" "$WINE" "$MS_BUILD/win64/win_tests.exe"
    popd >/dev/null
  else
    missing win "$MS_BUILD/win64/win_tests.exe"
  fi
fi

if wants e2e; then
  TIMEOUT=$E2E_TIMEOUT e2e_scripts e2e tests/e2e/test_*.sh
fi

# The 32-bit level: the same harness with the 32-bit Wine under qemu-i386, in
# a 32-bit prefix of its own (build/wineprefix32; in a 64-bit prefix Wine loses
# clipboard bitmaps between 32- and 64-bit processes), on a display of its own.
if wants win32; then
  stop_all
  unset MS_E2E_SHARED
  if ! why=$("$W32_SETUP" --check 2>&1); then
    echo "== win32: skipped: the 32-bit emulator is not set up (${why#win32-emu: })"
    SKIPPED=$((SKIPPED + 1))
    level_line win32 0 0 1 0
  elif [ ! -f "$MS_BUILD/win32/win_tests.exe" ] || [ ! -f "$MS_BUILD/win32/MorrowenSnip.exe" ]; then
    missing win32 "$MS_BUILD/win32/win_tests.exe or MorrowenSnip.exe"
  else
    win32_start=$SECONDS
    use_win32_road
    if ! start_display || ! ensure_prefix32 || ! ensure_prefix; then
      echo "[  FAILED  ] win32: no X display or 32-bit Wine prefix"
      FAILED=$((FAILED + 1))
    else
      start_wineserver
      export MS_E2E_SHARED=1 DISPLAY WINEPREFIX WINEDEBUG
      echo "== win32: prefix and wineserver ready after $((SECONDS - win32_start)) s"
      mkdir -p "$MS_WORK/win32" && pushd "$MS_WORK/win32" >/dev/null
      TIMEOUT=$WIN32_TIMEOUT LEVEL_FILTER=${WIN32_FILTER:-${GTEST_FILTER:-*}} \
        gtest_level win32 "$LOGS/win32.log" "$WINE" "$MS_BUILD/win32/win_tests.exe"
      popd >/dev/null
      TIMEOUT=$WIN32_E2E_TIMEOUT e2e_scripts win32-e2e tests/win32/test_*.sh
    fi
    echo "== win32: $((SECONDS - win32_start)) s in all"
  fi
fi

stop_all
line="SUMMARY: $PASSED passed, $FAILED failed"
[ "$SKIPPED" -eq 0 ] || line+=", $SKIPPED skipped"
echo "$line"
[ "$FAILED" -eq 0 ]
