# Source discovery. Engineers add files to the subsystem folders without
# touching the build: every glob re-runs at build time (CONFIGURE_DEPENDS).

# ms_glob_sources(<out-var> <folder>...): the *.cpp directly inside each folder
# (not recursive: platform/ and its backends are separate targets).
function(ms_glob_sources out_var)
  set(found)
  foreach(folder IN LISTS ARGN)
    file(GLOB files CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
    list(SORT files)
    list(APPEND found ${files})
  endforeach()
  set(${out_var} ${found} PARENT_SCOPE)
endfunction()

# A folder may still be empty; an empty target is not allowed, so it gets a
# translation unit with nothing in it until its first real source appears.
function(ms_sources_or_placeholder out_var name)
  set(sources ${ARGN})
  if(NOT sources)
    set(placeholder "${CMAKE_BINARY_DIR}/placeholders/${name}_empty.cpp")
    if(NOT EXISTS "${placeholder}")
      file(WRITE "${placeholder}"
        "// Stands in for ${name} while its folder has no sources yet.\n")
    endif()
    set(sources "${placeholder}")
  endif()
  set(${out_var} ${sources} PARENT_SCOPE)
endfunction()

# ms_add_object_library(<name> <folder>...): portable code and backends are
# object libraries so that every program links their objects directly; the
# core and the backend call each other, which archives would make order-
# sensitive.
function(ms_add_object_library name)
  ms_glob_sources(found ${ARGN})
  ms_sources_or_placeholder(sources ${name} ${found})
  add_library(${name} OBJECT ${sources})
  target_link_libraries(${name} PUBLIC ms_options)
endfunction()
