# The game and the editor on a levels.dat and a track file grown to 300 MB, 1.5 GB and 5 GB,
# without a limit and under a 2.5 GB address-space limit (run by make bench, under an X
# server: bench_big_files build/bin [--before FOLDER]).
add_executable(bench_big_files ${CMAKE_CURRENT_SOURCE_DIR}/bench_big_files.cpp)
target_include_directories(bench_big_files PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench_big_files PRIVATE velorune_trackcodec PkgConfig::X11 PkgConfig::XTST)
add_dependencies(bench_big_files Velorune VeloruneEdit assets levels)
