# Frame times on the real OpenGL device: the empty frame, menus, level select, every object and
# play, on the largest shipped level and on generated tracks (run by make bench, under an X
# server: bench_world build/bin <video mode 1 or 2>).
add_executable(bench_world ${CMAKE_CURRENT_SOURCE_DIR}/bench_world.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/ScratchFolder.cpp ${CMAKE_SOURCE_DIR}/tests/support/GameFolder.cpp)
target_link_libraries(bench_world PRIVATE replaykit)
add_dependencies(bench_world assets levels)
