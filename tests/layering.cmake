# The layers by their includes: platform/ sees only itself and its rooms only what lies below
# them (formats, then gl, then sdl; recording and threads on formats; machine on the platform
# alone), shared/ the platform, world/ the shared base and the platform, the game (game/ and
# ui/) the world and below with the machine's facts and the threads, its program game/main.cpp
# the SDL window and the OpenGL device too, editor/ the world and below, and only editor/qt/
# the OpenGL device; tools/ all of them but editor/qt/.
add_test(NAME layering_includes
  COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -P ${CMAKE_CURRENT_SOURCE_DIR}/layering/check_includes.cmake)
add_test(NAME layering_check_catches_every_form
  COMMAND ${CMAKE_COMMAND} -DCHECK=${CMAKE_CURRENT_SOURCE_DIR}/layering/check_includes.cmake
          -DTREE=${CMAKE_CURRENT_BINARY_DIR}/layering_tree -P ${CMAKE_CURRENT_SOURCE_DIR}/layering/check_includes_test.cmake)
