# The CPU of the game left alone in its menus and in play, beside a bare SDL window (run by
# make bench, under an X server: bench_idle build/tools/floor_sdl build/bin [before] [quick]).
add_executable(floor_sdl ${CMAKE_CURRENT_SOURCE_DIR}/floor_sdl.cpp)
target_link_libraries(floor_sdl PRIVATE PkgConfig::SDL2 PkgConfig::EPOXY)
add_executable(bench_idle ${CMAKE_CURRENT_SOURCE_DIR}/bench_idle.cpp)
target_link_libraries(bench_idle PRIVATE velorune_game PkgConfig::X11)
add_dependencies(bench_idle floor_sdl assets levels)
