# The replay kit plays key scripts through the game's real play step, headless; the search
# tool finds scripts that finish the shipped levels (run by hand:
# find_replays build/bin/levels.dat tests/replays), and the tests replay them.
add_library(replaykit STATIC ${CMAKE_CURRENT_SOURCE_DIR}/replay/KeyScript.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/replay/ReplayWorld.cpp ${CMAKE_CURRENT_SOURCE_DIR}/replay/GeneratedTracks.cpp)
target_link_libraries(replaykit PUBLIC velorune_game)

add_executable(find_replays ${CMAKE_CURRENT_SOURCE_DIR}/find_replays.cpp)
target_link_libraries(find_replays PRIVATE replaykit)

# The cost of a play step (run by make bench): bench_collision build/bin/levels.dat
add_executable(bench_collision ${CMAKE_CURRENT_SOURCE_DIR}/bench_collision.cpp)
target_link_libraries(bench_collision PRIVATE replaykit)
