#!/usr/bin/env bash
# make run: the program on your display, or a scripted demo without one.
# The program runs from build/run/ (or $MS_RUN_DIR), where its a.ini (settings)
# stays between runs, in the project's own Wine prefix (build/wineprefix, or
# $MS_WINEPREFIX): never in the WINEPREFIX of the environment, the user's own.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  exec scripts/demo.sh
fi

source tests/e2e/lib.sh
[ -f "$MS_EXE" ] || { echo "run: $MS_EXE is not built (make build)" >&2; exit 1; }
ensure_prefix

dir=${MS_RUN_DIR:-$MS_BUILD/run}
mkdir -p "$dir"
cp "$MS_EXE" "$dir/MorrowenSnip.exe"
# Defaults only where the user has none yet: a.ini keeps their settings.
[ -e "$dir/a.ini" ] || cp "$MS_ROOT/assets/a.ini" "$dir/"
mkdir -p "$dir/pictures"
for f in "$(dirname "$MS_EXE")"/pictures/*; do
  [ -f "$f" ] && cp "$f" "$dir/pictures/"
done
echo "run: starting $dir/MorrowenSnip.exe on $DISPLAY (Wine prefix $WINEPREFIX)"
cd "$dir"
"$WINE" ./MorrowenSnip.exe
