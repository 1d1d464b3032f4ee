# The floors: bare windows that do the least a program like ours can, measured beside it so
# that a benchmark's figures tell what our programs add. A bare SDL window's first frame and
# its idle frames, and a bare Qt window with a native OpenGL child at 25 frames a second.
add_executable(floor_first_frame ${CMAKE_CURRENT_LIST_DIR}/floor_first_frame.cpp)
target_link_libraries(floor_first_frame PRIVATE PkgConfig::SDL2 PkgConfig::EPOXY)

add_executable(floor_sdl ${CMAKE_CURRENT_LIST_DIR}/floor_sdl.cpp)
target_link_libraries(floor_sdl PRIVATE PkgConfig::SDL2 PkgConfig::EPOXY)

find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(bench_editor_floor ${CMAKE_CURRENT_LIST_DIR}/bench_editor_floor.cpp)
target_link_libraries(bench_editor_floor PRIVATE Qt6::Widgets)
