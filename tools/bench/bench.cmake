# The benchmarks, each run by make bench (those that watch a program's windows under an X
# server); see the Makefile's bench target for their command lines. An earlier build's program
# folder, where a benchmark takes one, is measured in the same rounds, the two taking turns at
# running first.
set(BENCH ${CMAKE_CURRENT_LIST_DIR})

# Loading the levels and the cost of a play step: bench_levels build/bin/levels.dat,
# bench_collision build/bin/levels.dat.
add_executable(bench_levels ${BENCH}/bench_levels.cpp)
target_link_libraries(bench_levels PRIVATE velorune_game)
add_executable(bench_collision ${BENCH}/bench_collision.cpp)
target_link_libraries(bench_collision PRIVATE replaykit)

# Frame times on the real OpenGL device: the empty frame, menus, level select, every object and
# play, on the largest shipped level and on generated tracks: bench_world build/bin <video
# mode 1 or 2>.
add_executable(bench_world ${BENCH}/bench_world.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/files/ScratchFolder.cpp ${CMAKE_SOURCE_DIR}/tests/support/files/GameFolder.cpp)
target_link_libraries(bench_world PRIVATE replaykit)
add_dependencies(bench_world assets levels)

# The game's start-up, from the program's start to its first main-menu frame on the screen,
# beside a bare SDL window's first frame: bench_startup build/tools/floor_first_frame
# build/bin [before/bin] [quick].
add_executable(bench_startup ${BENCH}/bench_startup.cpp)
target_link_libraries(bench_startup PRIVATE velorune_game PkgConfig::X11)
add_dependencies(bench_startup floor_first_frame assets levels)

# Pacing of the real loop: menu CPU, play-step intervals, the scripted level-1 run:
# bench_pacing build/bin tests/replays/level01.keys.
add_executable(bench_pacing ${BENCH}/bench_pacing.cpp)
target_link_libraries(bench_pacing PRIVATE replaykit)
add_dependencies(bench_pacing assets levels)

# The CPU of the game left alone in its menus and in play, beside a bare SDL window:
# bench_idle build/tools/floor_sdl build/bin [before] [quick].
add_executable(bench_idle ${BENCH}/bench_idle.cpp)
target_link_libraries(bench_idle PRIVATE velorune_game PkgConfig::X11)
add_dependencies(bench_idle floor_sdl assets levels)

# From a menu key to the frame that shows it: bench_menu_keys build/bin [before/bin ...] [quick].
add_executable(bench_menu_keys ${BENCH}/bench_menu_keys.cpp)
target_link_libraries(bench_menu_keys PRIVATE velorune_game PkgConfig::X11 PkgConfig::XTST)
add_dependencies(bench_menu_keys assets levels)

# The level editor's CPU, idle, on level 10 and in play mode, beside a bare native OpenGL
# window as its floor: bench_editor build/bin [--before FOLDER].
add_executable(bench_editor ${BENCH}/bench_editor.cpp)
target_include_directories(bench_editor PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench_editor PRIVATE PkgConfig::X11)
add_dependencies(bench_editor VeloruneEdit bench_editor_floor)

# The editor's start-up to its first picture beside the floor's: bench_editor_startup
# build/bin [--before FOLDER]; the hook it loads into each program sees the first picture shown.
add_library(bench_first_frame_hook MODULE ${BENCH}/bench_first_frame_hook.cpp)
add_executable(bench_editor_startup ${BENCH}/bench_editor_startup.cpp)
target_include_directories(bench_editor_startup PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench_editor_startup PRIVATE PkgConfig::X11)
add_dependencies(bench_editor_startup VeloruneEdit bench_editor_floor bench_first_frame_hook)

# The level editor's peak memory on a track of 200,000 blocks that it makes itself and on the
# largest shipped level, in edit mode and in play mode: bench_editor_memory build/bin
# [--before FOLDER].
add_executable(bench_editor_memory ${BENCH}/bench_editor_memory.cpp)
target_link_libraries(bench_editor_memory PRIVATE replaykit PkgConfig::X11)
add_dependencies(bench_editor_memory VeloruneEdit assets levels)

# The level editor's viewport on a track of 200,000 blocks and on level 10, in edit mode and in
# play mode: cores, pictures a second, the longest wait for one, and keys to the property
# panel: bench_editor_view build/bin [--before FOLDER]. The hook it loads into the program
# notes the time of every picture shown.
add_library(bench_swap_times_hook MODULE ${BENCH}/bench_swap_times_hook.cpp)
add_executable(bench_editor_view ${BENCH}/bench_editor_view.cpp)
target_link_libraries(bench_editor_view PRIVATE replaykit PkgConfig::X11 PkgConfig::XTST)
add_dependencies(bench_editor_view VeloruneEdit bench_swap_times_hook assets levels)

# The game and the editor on a levels.dat and a track file grown to 300 MB, 1.5 GB and 5 GB,
# and on 1,500,000 real levels and a track whose block count fills it, without a limit and
# under a 2.5 GB address-space limit: bench_big_files build/bin [--before FOLDER].
add_executable(bench_big_files ${BENCH}/bench_big_files.cpp)
target_include_directories(bench_big_files PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench_big_files PRIVATE velorune_trackcodec PkgConfig::X11 PkgConfig::XTST)
add_dependencies(bench_big_files Velorune VeloruneEdit assets levels)
