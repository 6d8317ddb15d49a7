#!/usr/bin/env bash
# Installs what building and testing need, and only what is missing:
# safe to run again and again (make deps; make test and make run call it).
#   scripts/install-deps.sh fuzz    what make fuzz needs instead
#   scripts/install-deps.sh run     only what make run needs (no tests, no release)
set -euo pipefail

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

case ${1:-} in
  '') ;;
  fuzz) PACKAGES=("${FUZZ_PACKAGES[@]}") ;;
  run) PACKAGES=("${RUN_PACKAGES[@]}") ;;
  *) echo "usage: install-deps.sh [fuzz|run]" >&2; exit 2 ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "deps: all installed"
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
