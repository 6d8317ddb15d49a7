#!/usr/bin/env bash
# Checks the include layering (see CODEMAP.md): each rule names a folder and
# the headers its files must not include. Prints every offending line and
# exits 1 if there is any. make test runs it before building.
set -u
cd "$(dirname "$0")/.."

status=0
# forbid FOLDER REGEX WHY: no file under FOLDER includes a header matching REGEX.
forbid() {
  local folder=$1 regex=$2 why=$3 hits
  hits=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]($regex)" "$folder" \
           --include='*.h' --include='*.cpp' 2>/dev/null)
  if [ -n "$hits" ]; then
    echo "layers: $why:"
    echo "$hits" | sed 's/^/  /'
    status=1
  fi
}

TOOLKIT='platform/toolkit/'
BACKENDS='platform/(win32|headless)/'
forbid platform/services "$TOOLKIT|$BACKENDS" "the system services include a widget or backend header"
forbid platform/toolkit "$BACKENDS|windows\.h" "the widget toolkit includes a backend header"
forbid platform/win32 "$TOOLKIT|platform/headless/" "the Win32 backend includes a widget header"
forbid platform/headless "$TOOLKIT|platform/win32/" "the headless backend includes a widget header"
forbid hotkeys "$TOOLKIT" "hotkeys/ includes a widget header (it uses services only)"
for sub in editor encoding shell hotkeys logo window app; do
  [ "$sub" = app ] && continue  # WinMain starts the real backend
  forbid "$sub" "$BACKENDS|windows\.h" "$sub/ reaches past the platform's interface"
done

[ $status -eq 0 ] && echo "layers: ok"
exit $status
