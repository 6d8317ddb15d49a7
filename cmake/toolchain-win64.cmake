# 64-bit Windows build: the one that runs here under wine64.
set(MS_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
