# The track world on its own: linked with the world library (and so the shared base and the
# platform layer) only, so anything it took from the game, the menus or the sound would fail
# to link. Its tests play small scenes under rules like the editor's.
file(GLOB WORLD_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/world/*.cpp)
add_executable(velorune_world_tests ${WORLD_TEST_SOURCES})
target_link_libraries(velorune_world_tests PRIVATE velorune_world GTest::gtest GTest::gtest_main)
gtest_discover_tests(velorune_world_tests DISCOVERY_TIMEOUT 60)
