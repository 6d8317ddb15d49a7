#!/usr/bin/env bash
# Runs the test levels against what `make build` made and ends with one line:
#   SUMMARY: <passed> passed, <failed> failed[, <skipped> skipped]
# exiting non-zero if anything failed.
#
#   tests/run_all.sh              all three levels
#   tests/run_all.sh unit e2e     only those (unit, win, e2e)
#
# unit  build/linux/unit_tests           GoogleTest, native, headless backend
# win   build/win64/win_tests.exe        GoogleTest under wine64 on a private Xvfb
# e2e   tests/e2e/test_*.sh              each drives MorrowenSnip.exe; PASS/FAIL lines
# A GoogleTest case counts once; an e2e script counts each PASS or FAIL line.
# A program that crashes or hangs counts as one more failure. Full output of
# every level is kept under build/test-logs/.
set -u
cd "$(dirname "$0")/.."
source tests/e2e/lib.sh

LEVELS=("$@")
[ ${#LEVELS[@]} -gt 0 ] || LEVELS=(unit win e2e)
LOGS=$MS_BUILD/test-logs
rm -rf "$LOGS" && mkdir -p "$LOGS"

UNIT_TIMEOUT=${UNIT_TIMEOUT:-900}
WIN_TIMEOUT=${WIN_TIMEOUT:-900}
E2E_TIMEOUT=${E2E_TIMEOUT:-300}

PASSED=0 FAILED=0 SKIPPED=0

wants() { [[ " ${LEVELS[*]} " == *" $1 "* ]]; }

# level_line NAME PASSED FAILED SKIPPED SECONDS
level_line() { echo "== $1: passed $2, failed $3, skipped $4 ($5 s)"; }

# gtest_level NAME LOG COMMAND...: runs a GoogleTest program, counts its cases.
gtest_level() {
  local name=$1 log=$2 start=$SECONDS rc p f s; shift 2
  echo "== $name: $*"
  timeout -k 10 "${TIMEOUT:?}" "$@" --gtest_color=no 2>&1 | tr -d '\r' >"$log"
  rc=${PIPESTATUS[0]}
  p=$(grep -c '^\[       OK \] ' "$log")
  f=$(grep -cE '^\[  FAILED  \] .*\([0-9]+ ms\)$' "$log")
  s=$(grep -cE '^\[  SKIPPED \] .*\([0-9]+ ms\)$' "$log")
  # Each failed case with what it printed, from its RUN line to its FAILED line.
  awk '/^\[ RUN      \]/ { buf = "" } { buf = buf $0 "\n" }
       /^\[  FAILED  \] .*\([0-9]+ ms\)$/ { printf "%s", buf }' "$log"
  if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then
    # Crashed, hung or failed outside any case: one failure, and where.
    f=1
    local running
    running=$(awk '/^\[ RUN      \]/ { t = $0 } /^\[       OK \]|^\[  FAILED  \]|^\[  SKIPPED \]/ { t = "" }
                   END { sub(/^\[ RUN      \] /, "", t); print t }' "$log")
    case $rc in
      124|137) echo "[  FAILED  ] $name: timed out after ${TIMEOUT} s${running:+ in $running}" ;;
      *) echo "[  FAILED  ] $name: exited with code $rc${running:+ in $running}" ;;
    esac
    tail -n 20 "$log"
  fi
  PASSED=$((PASSED + p)) FAILED=$((FAILED + f)) SKIPPED=$((SKIPPED + s))
  level_line "$name" "$p" "$f" "$s" $((SECONDS - start))
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
  start=$SECONDS p=0 f=0
  for script in tests/e2e/test_*.sh; do
    [ -f "$script" ] || continue
    name=$(basename "$script" .sh)
    log="$LOGS/e2e-$name.log"
    timeout -k 10 "$E2E_TIMEOUT" bash "$script" >"$log" 2>&1
    rc=$?
    grep -E '^(PASS|FAIL) ' "$log"
    sp=$(grep -c '^PASS ' "$log") sf=$(grep -c '^FAIL ' "$log")
    if [ "$rc" -ne 0 ] && [ "$sf" -eq 0 ]; then
      if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
        echo "FAIL $name: timed out after $E2E_TIMEOUT s"
      else
        echo "FAIL $name: exited with code $rc"
      fi
      tail -n 10 "$log"
      sf=1
    elif [ "$sp" -eq 0 ] && [ "$sf" -eq 0 ]; then
      echo "FAIL $name: reported no result"
      sf=1
    fi
    p=$((p + sp)) f=$((f + sf))
  done
  PASSED=$((PASSED + p)) FAILED=$((FAILED + f))
  level_line e2e "$p" "$f" 0 $((SECONDS - start))
fi

stop_all
line="SUMMARY: $PASSED passed, $FAILED failed"
[ "$SKIPPED" -eq 0 ] || line+=", $SKIPPED skipped"
echo "$line"
[ "$FAILED" -eq 0 ]
