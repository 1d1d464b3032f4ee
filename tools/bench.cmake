# The game's real start-up, from the program's start to its first main-menu frame (run by
# make bench, under an X server: bench_startup build/bin [runs]).
add_executable(bench_startup ${CMAKE_CURRENT_SOURCE_DIR}/bench_startup.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/ScratchFolder.cpp ${CMAKE_SOURCE_DIR}/tests/support/GameFolder.cpp)
target_link_libraries(bench_startup PRIVATE velorune_game)
add_dependencies(bench_startup assets levels)

# Pacing of the real loop: menu CPU, play-step intervals, the scripted level-1 run (run by
# hand, see the source).
add_executable(bench_pacing ${CMAKE_CURRENT_SOURCE_DIR}/bench_pacing.cpp)
target_link_libraries(bench_pacing PRIVATE replaykit)
add_dependencies(bench_pacing assets levels)
