# Compiler settings for the project's own code, carried by the interface
# target ms_options that every project target links. Third-party code
# (GoogleTest) never sees these flags.

add_library(ms_options INTERFACE)
target_compile_features(ms_options INTERFACE cxx_std_20)
target_include_directories(ms_options INTERFACE "${PROJECT_SOURCE_DIR}")

set(MS_WARNINGS
  -Wall -Wextra -Wpedantic
  -Wshadow
  -Wnon-virtual-dtor
  -Woverloaded-virtual
  -Wcast-align
  -Wformat=2
  -Wimplicit-fallthrough
  -Wmisleading-indentation
  -Wduplicated-cond
  -Wlogical-op
  -Wsuggest-override
)
# CXX only: windres shares the compile settings of the exe and knows none of these.
target_compile_options(ms_options INTERFACE "$<$<COMPILE_LANGUAGE:CXX>:${MS_WARNINGS}>")
if(MS_WERROR)
  target_compile_options(ms_options INTERFACE "$<$<COMPILE_LANGUAGE:CXX>:-Werror>")
endif()

if(WIN32)
  # Wide (W) Win32 functions everywhere; Windows 10 declarations, with anything
  # newer than Windows 7 looked up at run time by the code that needs it.
  target_compile_definitions(ms_options INTERFACE
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  # One self-contained exe: no libgcc, libstdc++ or winpthread DLLs beside it.
  target_link_options(ms_options INTERFACE -static -static-libgcc -static-libstdc++)
  target_compile_options(ms_options INTERFACE
    "$<$<COMPILE_LANGUAGE:CXX>:-ffunction-sections;-fdata-sections>")
  target_link_options(ms_options INTERFACE -Wl,--gc-sections)
  if(MS_STRIP)
    target_link_options(ms_options INTERFACE -s)
  endif()
elseif(MS_SANITIZE)
  # Native unit tests run with memory and undefined-behaviour checks; a report
  # aborts the test program, which the runner counts as a failure.
  set(MS_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
      -fno-omit-frame-pointer)
  target_compile_options(ms_options INTERFACE "$<$<COMPILE_LANGUAGE:CXX>:${MS_SANITIZER_FLAGS}>")
  target_link_options(ms_options INTERFACE ${MS_SANITIZER_FLAGS})
endif()
