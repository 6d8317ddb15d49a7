#!/usr/bin/env bash
# Installs what building and testing need, and only what is missing:
# safe to run again and again (make deps; make test and make run call it).
# Then sets up the emulator road that runs the 32-bit build here
# (scripts/setup-win32-emu.sh: unpacked into a cache folder, nothing installed);
# if that fails, the 32-bit test level is skipped, and this still succeeds.
#   scripts/install-deps.sh fuzz    what make fuzz needs instead
#   scripts/install-deps.sh run     only what make run needs (no tests, no release)
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_PACKAGES=(
  cmake ninja-build make                  # the build
  clang-14 libclang-rt-14-dev             # clang with libFuzzer and the sanitizer runtimes
)

RUN_PACKAGES=(
  cmake ninja-build make                  # the build
  g++-mingw-w64-x86-64-posix              # 64-bit Windows build (runs here)
  binutils-mingw-w64                      # windres, objdump
  wine64                                  # runs it
  xvfb x11-utils xdotool xclip            # the demo's private display
  imagemagick                             # icons, pictures, the demo's screen
  fonts-wqy-microhei                      # the program's Chinese captions under Wine
)

PACKAGES=(
  cmake ninja-build g++ make zip          # native build, release zip
  googletest                              # GoogleTest sources (/usr/src/googletest)
  g++-mingw-w64-x86-64-posix              # 64-bit Windows build (runs here)
  g++-mingw-w64-i686-posix                # 32-bit Windows build (the release)
  binutils-mingw-w64                      # windres, objdump
  wine64                                  # runs the Windows builds
  xvfb x11-utils xdotool xclip            # private display, driving it from outside
  x11-xserver-utils                       # xrandr: the two-monitor desktop of the e2e tests
  libx11-dev libxtst-dev                  # the benchmark's key-to-window timer (XTest)
  imagemagick                             # icons, screenshots, picture checks
  fonts-wqy-microhei                      # the program's Chinese captions under Wine
  python3 openssl ca-certificates         # the news test's local HTTPS server and its test CA
)

installed() {
  [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]
}

win32_emu=yes
case ${1:-} in
  '') ;;
  fuzz) PACKAGES=("${FUZZ_PACKAGES[@]}") win32_emu=no ;;
  run) PACKAGES=("${RUN_PACKAGES[@]}") win32_emu=no ;;
  *) echo "usage: install-deps.sh [fuzz|run]" >&2; exit 2 ;;
esac

setup_win32_emu() {
  [ $win32_emu = yes ] || return 0
  scripts/setup-win32-emu.sh ||
    echo "deps: the 32-bit emulator is not set up: the win32 test level will be skipped" >&2
}

missing=()
for p in "${PACKAGES[@]}"; do
  installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "deps: all installed"
  setup_win32_emu
  exit 0
fi

echo "deps: installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "deps: run as root or install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q "${missing[@]}"
setup_win32_emu
