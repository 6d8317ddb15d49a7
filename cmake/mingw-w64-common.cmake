# Shared part of the MinGW-w64 cross toolchains. The including file sets
# MS_MINGW_TRIPLE (x86_64-w64-mingw32 or i686-w64-mingw32) first.
#
# The -posix flavour of the compiler is used: its libstdc++ has std::thread
# and std::mutex, which GoogleTest and the benchmarks rely on.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 10.0)

set(CMAKE_C_COMPILER   ${MS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${MS_MINGW_TRIPLE}-windres)
set(CMAKE_AR           ${MS_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB       ${MS_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_OBJDUMP      ${MS_MINGW_TRIPLE}-objdump CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${MS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
