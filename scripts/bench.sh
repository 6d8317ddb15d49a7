#!/usr/bin/env bash
# make bench: every build/win64/bench_*.exe under wine64 on a private display
# (1920x1080x24; the memory benchmark on 3840x2160x24), one after another, with
# their output as they print it, then the hotkey-to-editor figure measured
# from outside, and one closing table of every ratio. The editor-open and
# hotkey-to-editor figures are measured again on two monitors (3200 x 1080).
# Benchmarks report ratios; none of them fails the run for being slow.
#
#   scripts/bench.sh                 all of them
#   scripts/bench.sh editor_memory   only those whose names contain a word given
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
ROOT=$PWD
export MS_BUILD=${MS_BUILD:-$ROOT/build}
RESULTS=$(mktemp "${TMPDIR:-/tmp}/ms-bench.XXXXXX")
trap 'rm -f "$RESULTS"' EXIT

WANT=("$@")
wanted() {
  [ ${#WANT[@]} -eq 0 ] && return 0
  local w
  for w in "${WANT[@]}"; do [[ $1 == *"$w"* ]] && return 0; done
  return 1
}

# A benchmark's display size.
screen_for() {
  case $1 in
    bench_editor_memory) echo 3840x2160x24 ;;
    *) echo 1920x1080x24 ;;
  esac
}

# Lines "@ figure|ours|floor|ratio|target" are the benchmarks' results for
# the closing table (TAG, if given, goes before the figure); everything else
# is shown as printed.
show() {
  tr -d '\r' <"$1" >"$1.txt"
  grep '^@ ' "$1.txt" | sed "s/^@ /@ ${2:+$2 }/" >>"$RESULTS"
  grep -v '^@ ' "$1.txt"
}

# run_on SCREEN NAME...: one display, prefix and wineserver for these, in a
# subshell so that leaving it stops what it started. SCREEN "two-monitors":
# the e2e tests' desktop of two monitors, 3200 x 1080 (tests/e2e/two_monitors.sh).
run_on() (
  local screen=$1 name exe status=0 tag=""; shift
  source tests/e2e/lib.sh
  if [ "$screen" = two-monitors ]; then
    source tests/e2e/two_monitors.sh
    start_two_monitors || exit 1
    tag="[2 monitors]"
  else
    start_display "$screen" || exit 1
    ensure_prefix || exit 1
    start_wineserver
  fi
  for name in "$@"; do
    echo "== $name ($screen)"
    if [ "$name" = hotkey_to_editor ] || [ "$name" = startup ]; then
      MS_E2E_SHARED=1 bash "bench/$name.sh" >"$MS_WORK/bench.out" 2>&1 || status=1
    else
      exe=$MS_BUILD/win64/$name.exe
      mkdir -p "$MS_WORK/run"
      # Through a file, not a pipe: Wine's background processes may keep a pipe open.
      (cd "$MS_WORK/run" && timeout -k 10 1200 "$WINE" "$exe") </dev/null >"$MS_WORK/bench.out" 2>&1 || {
        echo "bench: $name exited with code $?"; status=1; }
    fi
    show "$MS_WORK/bench.out" "$tag"
  done
  exit $status
)

shopt -s nullglob
declare -A groups=()
for exe in "$MS_BUILD"/win64/bench_*.exe; do
  name=$(basename "$exe" .exe)
  wanted "$name" || continue
  s=$(screen_for "$name")
  groups[$s]+="$name "
done
if wanted hotkey_to_editor; then groups[1920x1080x24]+="hotkey_to_editor "; fi
if wanted startup; then groups[1920x1080x24]+="startup "; fi
# Opening the editor again on two monitors: one capture of the whole desktop.
for name in bench_editor_open hotkey_to_editor; do
  if wanted "$name" && { [ "$name" = hotkey_to_editor ] || [ -x "$MS_BUILD/win64/$name.exe" ]; }; then
    groups[two-monitors]+="$name "
  fi
done
[ ${#groups[@]} -gt 0 ] || { echo "bench: no benchmarks built in $MS_BUILD/win64"; exit 0; }

status=0
for s in "${!groups[@]}"; do
  # shellcheck disable=SC2086
  run_on "$s" ${groups[$s]} || status=1
done

if [ -s "$RESULTS" ]; then
  echo "== summary (ratio = ours / floor or limit; targets are goals, not failures)"
  printf '%-46s %12s %12s %8s %8s\n' figure ours floor/limit ratio target
  sed 's/^@ //' "$RESULTS" | while IFS='|' read -r figure ours floor ratio target; do
    printf '%-46s %12s %12s %8s %8s\n' "$figure" "$ours" "$floor" "$ratio" "$target"
  done
fi
exit $status
