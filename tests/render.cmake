# Rendering tests: the OpenGL device drawing for real, read back and checked by pixel values.
# They run headless on Mesa's software renderer (llvmpipe) through SDL's "offscreen" video
# driver, which makes EGL contexts without any display; `xvfb-run -a` works as well but is not
# needed. Screenshots go to test-artifacts/ in the build folder.
file(GLOB RENDER_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/render/*.cpp)
list(APPEND RENDER_TEST_SOURCES ${SUPPORT_SOURCES})
add_executable(velorune_render_tests ${RENDER_TEST_SOURCES})
target_include_directories(velorune_render_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${STB_INCLUDE_DIR})
target_link_libraries(velorune_render_tests PRIVATE velorune_game replaykit assetkit GTest::gtest GTest::gtest_main)
target_compile_definitions(velorune_render_tests PRIVATE
  VELORUNE_ARTIFACTS="${CMAKE_BINARY_DIR}/test-artifacts" VELORUNE_ASSETS_DIR="${VELORUNE_OUT}"
  VELORUNE_REPLAYS_DIR="${CMAKE_CURRENT_SOURCE_DIR}/replays")
add_dependencies(velorune_render_tests assets)
gtest_discover_tests(velorune_render_tests
  PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=offscreen"
  DISCOVERY_TIMEOUT 60)
