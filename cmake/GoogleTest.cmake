# GoogleTest from the distribution's sources (package googletest), built with
# the same compiler as the code under test. Its own warnings stay its own: its
# headers are marked as system headers for our targets.

set(MS_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources")
if(NOT EXISTS "${MS_GTEST_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found at ${MS_GTEST_SOURCE_DIR} "
                      "(install the googletest package: make deps)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
if(WIN32)
  # Windows threads serve GoogleTest there; pthreads would only add a DLL-free
  # but needless winpthread dependency.
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()

add_subdirectory("${MS_GTEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

foreach(lib gtest gtest_main gmock gmock_main)
  if(TARGET ${lib})
    get_target_property(dirs ${lib} INTERFACE_INCLUDE_DIRECTORIES)
    if(dirs)
      set_target_properties(${lib} PROPERTIES INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${dirs}")
    endif()
  endif()
endforeach()
