# The level editor's viewport on a track of 200,000 blocks and on level 10, in edit mode and in
# play mode: cores, pictures a second, the longest wait for one, and keys to the property panel
# (run by make bench, under an X server: bench_editor_view build/bin). The hook it loads into
# the program notes the time of every picture shown.
add_library(bench_swap_times_hook MODULE ${CMAKE_CURRENT_SOURCE_DIR}/bench_swap_times_hook.cpp)
add_executable(bench_editor_view ${CMAKE_CURRENT_SOURCE_DIR}/bench_editor_view.cpp)
target_link_libraries(bench_editor_view PRIVATE replaykit PkgConfig::X11 PkgConfig::XTST)
add_dependencies(bench_editor_view VeloruneEdit bench_swap_times_hook assets levels)
