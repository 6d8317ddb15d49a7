#!/usr/bin/env bash
# Sets up the road that runs the 32-bit Windows build here: this kernel runs no
# 32-bit x86 code, so Debian's own wine32:i386 (the same build as the installed
# wine64) is unpacked, not installed, into a private i386 root, and its loader
# runs under qemu-i386 user-mode emulation (qemu-user from bookworm-backports:
# the 7.2 of bookworm main hangs). The installed 64-bit wineserver serves it.
# Nothing under /usr is changed, no i386 architecture is added to dpkg, and the
# system's apt configuration is left alone (a private one is used).
#
#   scripts/setup-win32-emu.sh          set up once (about a minute), else nothing
#   scripts/setup-win32-emu.sh --check  exit 0 if it is set up, print why not
#   scripts/setup-win32-emu.sh --wine   print the path of the 32-bit wine wrapper
#
# Where: $MS_WIN32_EMU (default ~/.cache/morrowen-snip/win32-emu), shared by
# every checkout on the machine. The wrapper $MS_WIN32_EMU/wine runs a 32-bit
# program; tests/e2e/lib.sh uses it. A failure here is reported, and the
# 32-bit test level is then skipped (never counted as passed).
set -uo pipefail

W=${MS_WIN32_EMU:-${XDG_CACHE_HOME:-$HOME/.cache}/morrowen-snip/win32-emu}
R=$W/root32
STAMP=$W/.ready
WINE_VERSION=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null)

log() { echo "win32-emu: $*" >&2; }
die() { log "not set up: $*"; exit 1; }

# Ready means: made for the installed wine64's version, and its loader starts.
ready() {
  [ -f "$STAMP" ] && [ "$(cat "$STAMP")" = "$WINE_VERSION" ] && [ -x "$W/wine" ] &&
    [ -f "$R/usr/lib/wine/wine.elf" ]
}

if [ "${1:-}" = --wine ]; then
  echo "$W/wine"
  exit 0
fi
if [ "${1:-}" = --check ]; then
  ready && exit 0
  [ -n "$WINE_VERSION" ] || die "wine64 is not installed"
  die "run scripts/setup-win32-emu.sh (or make deps)"
fi

ready && { log "ready in $W"; exit 0; }
[ -n "$WINE_VERSION" ] || die "wine64 is not installed"
[ "$(dpkg --print-architecture)" = amd64 ] || die "the host is not amd64"
mkdir -p "$W" || die "cannot create $W"

exec 9>"$W.lock"
flock 9            # two checkouts setting up at once: the second waits
ready && { log "ready in $W"; exit 0; }

t0=$SECONDS
rm -rf "$W/apt/lists" "$W/qemu" "$R" "$STAMP"   # downloads already made are kept
mkdir -p "$W"/apt/lists/partial "$W"/apt/cache "$W"/debs/partial "$W"/qemu "$R"

# The mirror this machine's apt already uses.
mirror=$(grep -h -E '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{print $2}' |
  grep -v -- '-security' | head -n 1)
[ -n "$mirror" ] || mirror=$(grep -h -E '^deb ' /etc/apt/sources.list 2>/dev/null | grep -v -- '-security' |
  sed -E 's/^deb +(\[[^]]*\] +)?//' | awk '{print $1}' | head -n 1)
[ -n "$mirror" ] || die "no Debian mirror in the apt configuration"
suite=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
[ "$suite" = bookworm ] || die "made for Debian 12 (bookworm), this is '${suite:-unknown}'"

cat >"$W/apt/sources.list" <<EOF
deb [arch=amd64,i386] $mirror bookworm main
deb [arch=amd64,i386] $mirror bookworm-backports main
EOF
cat >"$W/apt/apt.conf" <<EOF
Dir::Etc::sourcelist "$W/apt/sources.list";
Dir::Etc::sourceparts "/nonexistent";
Dir::State::Lists "$W/apt/lists";
Dir::State::status "$W/apt/empty-status";
Dir::Cache "$W/apt/cache";
Dir::Cache::archives "$W/debs";
APT::Architectures { "amd64"; "i386"; };
Acquire::Languages "none";
Debug::NoLocking "1";
EOF
: >"$W/apt/empty-status"
export APT_CONFIG=$W/apt/apt.conf
log "apt-get update (private lists)"
apt-get update -qq >"$W/apt.log" 2>&1 || die "apt-get update failed (see $W/apt.log)"
log "downloading wine32:i386 $WINE_VERSION and its libraries, and qemu-user from bookworm-backports"
apt-get install -y -qq -d --no-install-recommends "wine32:i386=$WINE_VERSION" "libwine:i386=$WINE_VERSION" \
  libgcc-s1:i386 libxcomposite1:i386 libxcursor1:i386 libxfixes3:i386 libxi6:i386 libxinerama1:i386 \
  libxrandr2:i386 libxrender1:i386 libxxf86vm1:i386 >>"$W/apt.log" 2>&1 ||
  die "download failed (see $W/apt.log)"
# Its qemu-i386 is linked statically: it needs none of the host's libraries.
(cd "$W/debs" && apt-get download -qq qemu-user/bookworm-backports) >>"$W/apt.log" 2>&1 ||
  die "qemu download failed (see $W/apt.log)"

log "unpacking $(ls "$W"/debs/*.deb | wc -l) packages"
for f in "$W"/debs/*.deb; do
  case $f in
    */qemu-user_*) dpkg-deb -x "$f" "$W/qemu" ;;
    *) dpkg-deb -x "$f" "$R" ;;
  esac || die "cannot unpack $f"
done
QEMU=$W/qemu/usr/bin/qemu-i386
[ -x "$QEMU" ] || die "qemu-i386 missing after unpacking"
[ -f "$R/usr/lib/wine/wine" ] || die "the 32-bit Wine loader is missing after unpacking"

# The guest's ld.so finds /usr/lib/i386-linux-gnu through a cache (qemu -L maps / to $R).
echo 'include /etc/ld.so.conf.d/*.conf' >"$R/etc/ld.so.conf"
ldconfig -r "$R" || die "ldconfig failed"
# Debian's 32-bit user32 imports zlib1.dll, shipped by libz-mingw-w64 outside the DLL folder.
# A 32-bit prefix needs it in its system folder too (tests/win32/lib32.sh).
cp "$R/usr/i686-w64-mingw32/lib/zlib1.dll" "$R/usr/lib/i386-linux-gnu/wine/i386-windows/" ||
  die "zlib1.dll missing"
cp "$R/usr/i686-w64-mingw32/lib/zlib1.dll" "$W/zlib1.dll"

# The 32-bit loader becomes a wrapper that runs the real one under qemu. Wine
# starts every further 32-bit process (services, explorer, ...) through this
# path, so the kernel runs the script and the script runs qemu.
# WINELOADERNOEXEC: the loader must not exec itself again (the kernel would
# refuse an i386 ELF). The priority is lowered: emulation is CPU-heavy and the
# machine's other work should not wait for it.
mv "$R/usr/lib/wine/wine" "$R/usr/lib/wine/wine.elf"
cat >"$R/usr/lib/wine/wine" <<EOF
#!/bin/sh
# The 32-bit Wine loader under qemu-i386 (made by scripts/setup-win32-emu.sh).
export WINELOADERNOEXEC=1
exec nice -n \${MS_WIN32_NICE:-5} $QEMU -L $R -0 $R/usr/lib/wine/wine $R/usr/lib/wine/wine.elf "\$@"
EOF
chmod +x "$R/usr/lib/wine/wine"
# What callers run: the 64-bit wineserver serves the 32-bit processes.
cat >"$W/wine" <<EOF
#!/bin/sh
# Runs a 32-bit Windows program in \$WINEPREFIX (a 32-bit prefix), under qemu.
export WINESERVER=\${WINESERVER:-/usr/lib/wine/wineserver64}
unset WINELOADER WINEDLLPATH
exec $R/usr/lib/wine/wine "\$@"
EOF
chmod +x "$W/wine"
# Only the i386 emulator and the Wine tree are kept (qemu-user brings thirty).
find "$W/qemu" ! -type d ! -name qemu-i386 -delete
# qemu shows a path of the i386 root in place of the host's: without its own
# fonts folder (only DejaVu) the 32-bit Wine sees the fonts the 64-bit one sees,
# and with a fontconfig cache folder of its own it writes nothing to the host's.
mkdir -p "$R/var/cache/fontconfig"
rm -rf "$W/debs" "$W/apt/cache" "$W/apt/lists" "$R/usr/share/doc" "$R/usr/share/man" "$R/usr/share/fonts"
echo "$WINE_VERSION" >"$STAMP"
log "ready in $W after $((SECONDS - t0)) s ($(du -sh "$W" | cut -f1))"
