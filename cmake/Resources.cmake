# The program's resources: icons drawn at build time, the manifest and the
# version block, compiled by windres into the exe.

set(MS_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")
set(MS_ICONS "${MS_GENERATED_DIR}/app.ico" "${MS_GENERATED_DIR}/tray.ico")

find_program(MS_IMAGEMAGICK_CONVERT convert)
if(NOT MS_IMAGEMAGICK_CONVERT)
  message(FATAL_ERROR "ImageMagick 'convert' is needed to draw the icons (make deps)")
endif()

add_custom_command(
  OUTPUT ${MS_ICONS}
  COMMAND bash "${PROJECT_SOURCE_DIR}/assets/make_icons.sh" "${MS_GENERATED_DIR}"
  DEPENDS "${PROJECT_SOURCE_DIR}/assets/make_icons.sh"
  COMMENT "Drawing the program icons"
  VERBATIM)
add_custom_target(ms_icons DEPENDS ${MS_ICONS})

# ms_add_app_resources(<target>): compiles app/app.rc into <target>.
function(ms_add_app_resources target)
  set(rc "${PROJECT_SOURCE_DIR}/app/app.rc")
  target_sources(${target} PRIVATE "${rc}")
  # windres keeps no record of what it read: list it, so edits rebuild.
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS
    "${MS_ICONS};${PROJECT_SOURCE_DIR}/app/app.manifest;${PROJECT_SOURCE_DIR}/app/resource.h")
  target_include_directories(${target} PRIVATE
    "$<$<COMPILE_LANGUAGE:RC>:${MS_GENERATED_DIR};${PROJECT_SOURCE_DIR}/app>")
  target_compile_definitions(${target} PRIVATE
    "$<$<COMPILE_LANGUAGE:RC>:MS_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};MS_VERSION_MINOR=${PROJECT_VERSION_MINOR};MS_VERSION_PATCH=${PROJECT_VERSION_PATCH};MS_VERSION_TWEAK=0>")
  add_dependencies(${target} ms_icons)
endfunction()
