# The level editor's peak memory on a track of 200,000 blocks that it makes itself and on the
# largest shipped level, in edit mode and in play mode (run by make bench, under an X server:
# bench_editor_memory build/bin).
add_executable(bench_editor_memory ${CMAKE_CURRENT_SOURCE_DIR}/bench_editor_memory.cpp)
target_link_libraries(bench_editor_memory PRIVATE replaykit PkgConfig::X11)
add_dependencies(bench_editor_memory VeloruneEdit assets levels)
