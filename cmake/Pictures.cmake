# The frame and sticker pictures that ship beside the exe, drawn at build time
# into <build>/pictures (make run, make dist and the e2e tests take them there).
set(MS_PICTURES_DIR "${CMAKE_BINARY_DIR}/pictures")
set(MS_PICTURES)
foreach(name 1.PNG 2.PNG 3.PNG 5.PNG a1.gif a2.gif a3.gif a4.gif a5.gif a6.gif)
  list(APPEND MS_PICTURES "${MS_PICTURES_DIR}/${name}")
endforeach()

add_custom_command(
  OUTPUT ${MS_PICTURES}
  COMMAND bash "${PROJECT_SOURCE_DIR}/assets/make_pictures.sh" "${MS_PICTURES_DIR}"
  DEPENDS "${PROJECT_SOURCE_DIR}/assets/make_pictures.sh"
  COMMENT "Drawing the frame and sticker pictures"
  VERBATIM)
add_custom_target(ms_pictures ALL DEPENDS ${MS_PICTURES})
