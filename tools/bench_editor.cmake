# The level editor's CPU, idle, on level 10 and in play mode, beside a bare native OpenGL
# window as its floor (run by make bench, under an X server: bench_editor build/bin).
add_executable(bench_editor ${CMAKE_CURRENT_SOURCE_DIR}/bench_editor.cpp)
target_include_directories(bench_editor PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench_editor PRIVATE PkgConfig::X11)
add_dependencies(bench_editor VeloruneEdit bench_editor_floor)

find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(bench_editor_floor ${CMAKE_CURRENT_SOURCE_DIR}/bench_editor_floor.cpp)
target_link_libraries(bench_editor_floor PRIVATE Qt6::Widgets)
