# The fuzz build (make fuzz): native, clang, libFuzzer. Every tests/fuzz/*.cpp
# is one fuzz target. The project's own code is built with the fuzzer's
# coverage hooks on top of the sanitizers of ProjectOptions (ASan, UBSan), and
# each target links from one archive of the portable code and the headless
# backend only the objects it reaches.
if(WIN32 OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "MS_FUZZ needs a native clang build (make fuzz)")
endif()
if(NOT MS_SANITIZE)
  message(FATAL_ERROR "MS_FUZZ needs MS_SANITIZE: a fuzz run without ASan and UBSan misses what it is for")
endif()

# -O1 -g: fast enough to fuzz, and reports name their lines. The warning list
# is GCC's; clang skips the few it does not know.
set(ms_fuzz_ignore "${PROJECT_SOURCE_DIR}/tests/fuzz/coverage_ignore.txt")
target_compile_options(ms_options INTERFACE
  "$<$<COMPILE_LANGUAGE:CXX>:-fsanitize=fuzzer-no-link;-O1;-g;-Wno-unknown-warning-option>"
  "$<$<COMPILE_LANGUAGE:CXX>:-fsanitize-coverage-ignorelist=${ms_fuzz_ignore}>")
# Neither the build nor ccache reads the list's content: its hash on the
# command line makes a change to it rebuild what it governs.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${ms_fuzz_ignore}")
file(MD5 "${ms_fuzz_ignore}" ms_fuzz_ignore_md5)
target_compile_definitions(ms_options INTERFACE MS_FUZZ_COVERAGE_IGNORE=${ms_fuzz_ignore_md5})

# One archive: the core and the backend call each other, and the linker
# searches a single archive until nothing more resolves.
add_library(ms_fuzz_code STATIC $<TARGET_OBJECTS:ms_core> $<TARGET_OBJECTS:ms_headless>)
target_link_libraries(ms_fuzz_code PUBLIC ms_options)

ms_glob_sources(fuzz_sources tests/fuzz)
foreach(fuzz_source IN LISTS fuzz_sources)
  get_filename_component(fuzz_name "${fuzz_source}" NAME_WE)
  add_executable(${fuzz_name} "${fuzz_source}")
  target_link_libraries(${fuzz_name} PRIVATE ms_fuzz_code)
  target_link_options(${fuzz_name} PRIVATE -fsanitize=fuzzer)
endforeach()
