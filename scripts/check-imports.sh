#!/usr/bin/env bash
# check-imports.sh OBJDUMP EXE: fails when EXE imports a DLL that is not part of
# Windows itself (a MinGW runtime DLL would make the exe fail to start on a
# user's machine, while it runs fine here where Wine finds everything).
set -euo pipefail
objdump=${1:?usage: check-imports.sh OBJDUMP EXE}
exe=${2:?usage: check-imports.sh OBJDUMP EXE}

# Windows' own DLLs that the program may use (lower case).
allowed="kernel32.dll user32.dll gdi32.dll gdiplus.dll comdlg32.dll comctl32.dll shell32.dll
  psapi.dll ole32.dll oleaut32.dll advapi32.dll wininet.dll winhttp.dll msimg32.dll
  shlwapi.dll uxtheme.dll dwmapi.dll version.dll msvcrt.dll ws2_32.dll shcore.dll
  imm32.dll winmm.dll"

dlls=$("$objdump" -p "$exe" | awk '/DLL Name:/ { print tolower($3) }' | sort -u)
[ -n "$dlls" ] || { echo "check-imports: no import table found in $exe" >&2; exit 1; }

bad=0
for dll in $dlls; do
  case "$dll" in
    api-ms-win-*) continue ;;   # API sets of the universal CRT are Windows' own
  esac
  if [[ " $(echo $allowed) " != *" $dll "* ]]; then
    echo "check-imports: $exe imports $dll, which is not a Windows system DLL" >&2
    bad=1
  fi
done
exit $bad
