# The layers by their includes: platform/ sees only itself and its rooms only what lies below
# them (formats, then gl, then sdl; recording and threads on formats; machine on the platform
# alone), shared/ the platform, world/ the
# shared base and the platform, editor/ the world and below, and only editor/qt/ the OpenGL
# device; only the game sees ui/ and game/.
add_test(NAME layering_includes
  COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -P ${CMAKE_CURRENT_SOURCE_DIR}/layering/check_includes.cmake)
