# The level editor's tests. velorune_editor_tests: its logic without Qt or OpenGL, drawing
# through the recording device. velorune_editor_qt_tests: its Qt window for real, under a
# virtual X server. Both read the generated assets through a scratch program folder.
set(EDITOR_TEST_SUPPORT
  ${CMAKE_CURRENT_SOURCE_DIR}/support/files/ScratchFolder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/files/GameFolder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/editor/support/EditorTestEnvironment.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/editor/support/EditorReset.cpp)
set(EDITOR_CORE_TEST_SUPPORT ${CMAKE_CURRENT_SOURCE_DIR}/editor/support/EditorTestBed.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/editor/support/EditedTracks.cpp ${CMAKE_CURRENT_SOURCE_DIR}/support/files/TrackSamples.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/files/FaultyDisk.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/editor/support/PlayScene.cpp ${CMAKE_CURRENT_SOURCE_DIR}/editor/support/TrackLooks.cpp)

file(GLOB EDITOR_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/editor/*.cpp)
add_executable(velorune_editor_tests ${EDITOR_TEST_SOURCES} ${EDITOR_TEST_SUPPORT} ${EDITOR_CORE_TEST_SUPPORT})
target_link_libraries(velorune_editor_tests PRIVATE velorune_editor_core editorreplaykit GTest::gtest GTest::gtest_main)
target_compile_definitions(velorune_editor_tests PRIVATE VELORUNE_ASSETS_DIR="${VELORUNE_OUT}"
  VELORUNE_EDITOR_REPLAYS_DIR="${CMAKE_CURRENT_SOURCE_DIR}/editor/replays")
add_dependencies(velorune_editor_tests assets levels)
gtest_discover_tests(velorune_editor_tests DISCOVERY_TIMEOUT 60)

file(GLOB EDITOR_QT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/editor_qt/*.cpp)
add_executable(velorune_editor_qt_tests ${EDITOR_QT_TEST_SOURCES} ${EDITOR_TEST_SUPPORT}
  ${CMAKE_CURRENT_SOURCE_DIR}/editor/support/EditedTracks.cpp ${CMAKE_CURRENT_SOURCE_DIR}/support/xserver/XWindows.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/files/TrackSamples.cpp)
find_package(Qt6 REQUIRED COMPONENTS Test)
target_link_libraries(velorune_editor_qt_tests PRIVATE velorune_editor_qt Qt6::Test GTest::gtest)
target_compile_definitions(velorune_editor_qt_tests PRIVATE VELORUNE_ASSETS_DIR="${VELORUNE_OUT}"
  VELORUNE_ARTIFACTS="${CMAKE_BINARY_DIR}/test-artifacts" VELORUNE_EDITOR_PROGRAM="$<TARGET_FILE:VeloruneEdit>")
add_dependencies(velorune_editor_qt_tests assets VeloruneEdit)
add_test(NAME velorune_editor_qt_tests
  COMMAND ${WITH_X_SERVER} 1280x1024x24 $<TARGET_FILE:velorune_editor_qt_tests> --gtest_filter=-EditorProgram.*)
set_tests_properties(velorune_editor_qt_tests PROPERTIES TIMEOUT 240)
# The editor program itself, started as its user starts it, a few seconds a start: beside the
# others rather than after them.
add_test(NAME velorune_editor_qt_program
  COMMAND ${WITH_X_SERVER} 1280x1024x24 $<TARGET_FILE:velorune_editor_qt_tests> --gtest_filter=EditorProgram.*)
set_tests_properties(velorune_editor_qt_program PROPERTIES TIMEOUT 240)
# The viewport's clicks again on a screen of two device pixels to each of the window's.
add_test(NAME velorune_editor_qt_tests_scaled
  COMMAND ${WITH_X_SERVER} 2560x2048x24 $<TARGET_FILE:velorune_editor_qt_tests> --gtest_filter=ViewportPick.*)
set_tests_properties(velorune_editor_qt_tests_scaled PROPERTIES TIMEOUT 240 ENVIRONMENT QT_SCALE_FACTOR=2)
