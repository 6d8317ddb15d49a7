# Morrowen Snip: the commands. See README.md.
#   make run     install what is missing, build, start the program (or a demo)
#   make test    install what is missing, check the include layers, build everything,
#                run all tests
#   make build   the three builds: build/linux, build/win64, build/win32 (the
#                release exe and its 32-bit tests)
#   make dist    the 32-bit release folder and build/MorrowenSnip.zip
#   make bench   the benchmarks under wine64 on private displays (1920x1080, 3840x2160)
#   make deps    install the build and test tools (apt)
#   make fuzz    the fuzz targets of tests/fuzz, FUZZ_SECONDS each (default 60),
#                under ASan and UBSan (build/fuzz, clang); not part of make test
# Options: JOBS=2 (parallel compile jobs), WERROR=ON (warnings fail the build),
# BUILD=build (where all output goes).

SHELL := /bin/bash
BUILD ?= build
JOBS ?= 2
WERROR ?= OFF
export MS_BUILD := $(abspath $(BUILD))

CONFIGURE := cmake -S . -G Ninja -Wno-dev --no-warn-unused-cli -DMS_WERROR=$(WERROR)

.PHONY: all deps build build-linux build-win64 build-win32 configure-win32 test test-unit test-win \
        test-e2e test-win32 run dist bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build: build-linux build-win64 build-win32

build-linux:
	@$(CONFIGURE) -B $(BUILD)/linux -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(BUILD)/linux -j $(JOBS)

build-win64:
	@$(CONFIGURE) -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win64.cmake \
	  -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)/win64 -j $(JOBS)

# The release exe (stripped) and, from the same objects, the 32-bit test
# programs that tests/run_all.sh runs under emulation (level win32).
# WIN32_TARGETS=... builds only those (make dist: the exe and its pictures).
WIN32_TARGETS ?= all
configure-win32:
	@$(CONFIGURE) -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win32.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DMS_TESTS=ON -DMS_STRIP=ON >/dev/null

build-win32: configure-win32
	@cmake --build $(BUILD)/win32 -j $(JOBS) --target $(WIN32_TARGETS)

test: deps
	@scripts/check-layers.sh
	@$(MAKE) --no-print-directory build
	@tests/run_all.sh

test-unit: build-linux
	@tests/run_all.sh unit

test-win: build-win64
	@tests/run_all.sh win

test-e2e: build-win64
	@tests/run_all.sh e2e

test-win32: build-win32
	@tests/run_all.sh win32

# Only what running needs: the exe and its pictures, in a build of their own
# (no test programs, no benchmarks, no GoogleTest).
run:
	@scripts/install-deps.sh run
	@$(CONFIGURE) -B $(BUILD)/run-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DMS_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)/run-win64 -j $(JOBS)
	@MS_EXE=$(MS_BUILD)/run-win64/MorrowenSnip.exe scripts/run.sh

dist: deps
	@$(MAKE) --no-print-directory build-win32 WIN32_TARGETS="MorrowenSnip ms_pictures"
	@scripts/make-dist.sh

bench: deps
	@$(MAKE) --no-print-directory build-win64
	@scripts/bench.sh

# Its own install list: clang is needed here only.
fuzz:
	@scripts/install-deps.sh fuzz
	@$(CONFIGURE) -B $(BUILD)/fuzz -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DCMAKE_BUILD_TYPE=Debug -DMS_TESTS=OFF -DMS_FUZZ=ON >/dev/null
	@cmake --build $(BUILD)/fuzz -j $(JOBS)
	@scripts/fuzz.sh

clean:
	rm -rf $(BUILD)
