# Every shipped level is replayed from its key script in tests/replays through the real play
# step; the scripts come from tools/find_replays.
target_link_libraries(velorune_tests PRIVATE replaykit)
target_compile_definitions(velorune_tests PRIVATE VELORUNE_REPLAYS_DIR="${CMAKE_CURRENT_SOURCE_DIR}/replays")
add_dependencies(velorune_tests levels)
