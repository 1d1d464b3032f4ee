# The level editor's CPU, idle, on level 10 and in play mode, beside a bare native OpenGL
# window as its floor (run by make bench, under an X server: bench_editor build/bin).
add_executable(bench_editor ${CMAKE_CURRENT_SOURCE_DIR}/bench_editor.cpp)
target_include_directories(bench_editor PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench_editor PRIVATE PkgConfig::X11)
add_dependencies(bench_editor VeloruneEdit bench_editor_floor)

find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(bench_editor_floor ${CMAKE_CURRENT_SOURCE_DIR}/bench_editor_floor.cpp)
target_link_libraries(bench_editor_floor PRIVATE Qt6::Widgets)

# The editor's start-up to its first picture beside the floor's (run by make bench, under an
# X server: bench_editor_startup build/bin); the hook it loads into each program sees the
# first picture shown.
add_library(bench_first_frame_hook MODULE ${CMAKE_CURRENT_SOURCE_DIR}/bench_first_frame_hook.cpp)
add_executable(bench_editor_startup ${CMAKE_CURRENT_SOURCE_DIR}/bench_editor_startup.cpp)
target_include_directories(bench_editor_startup PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench_editor_startup PRIVATE PkgConfig::X11)
add_dependencies(bench_editor_startup VeloruneEdit bench_editor_floor bench_first_frame_hook)
