# Benchmark of the track world: building and drawing a large generated level (run by hand:
# build/tools/bench_world build/bin).
add_executable(bench_world ${CMAKE_CURRENT_SOURCE_DIR}/bench_world.cpp)
target_link_libraries(bench_world PRIVATE velorune_game)
add_dependencies(bench_world assets)
