# The game's start-up, from the program's start to its first main-menu frame on the screen,
# beside a bare SDL window's first frame (run by make bench, under an X server:
# bench_startup build/tools/floor_first_frame build/bin [before/bin] [quick]).
add_executable(floor_first_frame ${CMAKE_CURRENT_SOURCE_DIR}/floor_first_frame.cpp)
target_link_libraries(floor_first_frame PRIVATE PkgConfig::SDL2 PkgConfig::EPOXY)
add_executable(bench_startup ${CMAKE_CURRENT_SOURCE_DIR}/bench_startup.cpp)
target_link_libraries(bench_startup PRIVATE velorune_game PkgConfig::X11)
add_dependencies(bench_startup floor_first_frame assets levels)

# Pacing of the real loop: menu CPU, play-step intervals, the scripted level-1 run (run by
# hand, see the source).
add_executable(bench_pacing ${CMAKE_CURRENT_SOURCE_DIR}/bench_pacing.cpp)
target_link_libraries(bench_pacing PRIVATE replaykit)
add_dependencies(bench_pacing assets levels)

# From a menu key to the frame that shows it (run by make bench, under an X server:
# bench_menu_keys build/bin [before/bin ...] [quick]).
add_executable(bench_menu_keys ${CMAKE_CURRENT_SOURCE_DIR}/bench_menu_keys.cpp)
target_link_libraries(bench_menu_keys PRIVATE velorune_game PkgConfig::X11 PkgConfig::XTST)
add_dependencies(bench_menu_keys assets levels)
