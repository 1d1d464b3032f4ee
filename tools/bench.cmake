# Start-up and frame-time benchmark on the real device (run by hand, see the source).
add_executable(bench_startup ${CMAKE_CURRENT_SOURCE_DIR}/bench_startup.cpp)
target_link_libraries(bench_startup PRIVATE velorune_game)
add_dependencies(bench_startup assets levels)

# Pacing of the real loop: menu CPU, play-step intervals, the scripted level-1 run (run by
# hand, see the source).
add_executable(bench_pacing ${CMAKE_CURRENT_SOURCE_DIR}/bench_pacing.cpp)
target_link_libraries(bench_pacing PRIVATE replaykit)
add_dependencies(bench_pacing assets levels)
