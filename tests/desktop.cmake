# Desktop tests: the real game in a real X window on a bare virtual X server (no window
# manager), checked against what the server shows, and its message boxes. Run under an X
# server of their own with a desktop larger than the game's window.
add_executable(velorune_render_desktop_tests ${CMAKE_CURRENT_SOURCE_DIR}/desktop/WindowFitTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/MessageBoxWindowTest.cpp ${CMAKE_CURRENT_SOURCE_DIR}/desktop/MessageBoxKeysTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/QuietCloseTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/EventWaitTest.cpp ${CMAKE_CURRENT_SOURCE_DIR}/desktop/KeysAfterABoxTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop/EndSignalsTest.cpp ${CMAKE_CURRENT_SOURCE_DIR}/desktop/RunningGame.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/render/RenderHarness.cpp ${CMAKE_CURRENT_SOURCE_DIR}/support/files/GameFolder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/files/ScratchFolder.cpp ${CMAKE_CURRENT_SOURCE_DIR}/support/TestEnvironment.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/files/TrackSamples.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/xserver/XWindows.cpp)
target_include_directories(velorune_render_desktop_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${STB_INCLUDE_DIR})
target_link_libraries(velorune_render_desktop_tests PRIVATE velorune_game replaykit assetkit PkgConfig::XTST GTest::gtest
  GTest::gtest_main)
target_compile_definitions(velorune_render_desktop_tests PRIVATE
  VELORUNE_ARTIFACTS="${CMAKE_BINARY_DIR}/test-artifacts" VELORUNE_ASSETS_DIR="${VELORUNE_OUT}")
add_dependencies(velorune_render_desktop_tests assets Velorune)
add_test(NAME velorune_render_desktop
  COMMAND ${WITH_X_SERVER} 1024x768x24 $<TARGET_FILE:velorune_render_desktop_tests>)
set_tests_properties(velorune_render_desktop PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=x11" TIMEOUT 120 RUN_SERIAL TRUE)
