# shellcheck shell=bash
# The 32-bit road for tests/run_all.sh's level win32 and the scripts of
# tests/win32: the 32-bit Wine under qemu-i386 (scripts/setup-win32-emu.sh),
# a 32-bit prefix of the project's own, the release exe. Source it after
# tests/e2e/lib.sh.

W32_SETUP=$MS_ROOT/scripts/setup-win32-emu.sh

# use_win32_road: WINE, MS_WINEPREFIX and MS_EXE for the 32-bit build, and
# MS_SLOW (time limits are multiplied by it); fails, saying why, if the
# emulator is not set up.
use_win32_road() {
  "$W32_SETUP" --check || return 1
  WINE=$("$W32_SETUP" --wine)
  MS_WINEPREFIX=${MS_WINEPREFIX32:-$MS_BUILD/wineprefix32}
  MS_EXE=$MS_BUILD/win32/MorrowenSnip.exe
  export WINE MS_WINEPREFIX MS_EXE MS_SLOW=${MS_SLOW:-4}
}

# ensure_prefix32: creates the 32-bit prefix once (about two minutes under
# emulation); ensure_prefix then applies the test settings to it as to the
# 64-bit one. Its wineboot ends with an error over zlib1.dll, which Debian's
# 32-bit user32 imports from outside Wine's DLL folder: the prefix is whole
# all the same once the DLL is put into its system folder.
ensure_prefix32() {
  local zlib
  zlib=$(dirname "$WINE")/zlib1.dll
  mkdir -p "$(dirname "$MS_WINEPREFIX")"
  (
    flock 9
    [ -f "$MS_WINEPREFIX/system.reg" ] && [ -f "$MS_WINEPREFIX/drive_c/windows/system32/zlib1.dll" ] && exit 0
    ms_log "creating the 32-bit Wine prefix $MS_WINEPREFIX (a few minutes under emulation)"
    WINEARCH=win32 WINEPREFIX=$MS_WINEPREFIX WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml=" \
      "$WINE" wineboot -i >"$MS_WORK/wineboot32.log" 2>&1
    WINEPREFIX=$MS_WINEPREFIX timeout 120 "$WINESERVER" -w
    if [ ! -f "$MS_WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
      ms_log "wineboot failed: $(tail -5 "$MS_WORK/wineboot32.log")"
      exit 1
    fi
    cp "$zlib" "$MS_WINEPREFIX/drive_c/windows/system32/"
  ) 9>"$MS_WINEPREFIX.lock"
}
