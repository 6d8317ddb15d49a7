# 32-bit Windows build: the release target.
set(MS_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# Floating point in SSE2 registers, as the 64-bit build does it: x87's extended
# precision would round some halves and products differently from the build
# that carries most tests. SSE2 is on every processor Windows 7 runs on.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# The whole 4 GB address space on 64-bit Windows (2 GB without the flag): a 4K
# screen's editor keeps several full-screen bitmaps and the history beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--large-address-aware")
