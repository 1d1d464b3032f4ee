# The replay kit plays key scripts through a program's real play step, headless; the search
# finds scripts that finish the shipped levels (run by hand:
# find_replays build/bin/levels.dat tests/replays), and the tests replay them. The search
# itself knows only the track world, so the editor's play mode uses it too.
add_library(replaysearch STATIC ${CMAKE_CURRENT_LIST_DIR}/KeyScript.cpp ${CMAKE_CURRENT_LIST_DIR}/ReplaySearch.cpp)
target_link_libraries(replaysearch PUBLIC velorune_world)

add_library(replaykit STATIC ${CMAKE_CURRENT_LIST_DIR}/ReplayWorld.cpp ${CMAKE_CURRENT_LIST_DIR}/GeneratedTracks.cpp)
target_link_libraries(replaykit PUBLIC replaysearch velorune_game)

add_executable(find_replays ${CMAKE_CURRENT_LIST_DIR}/find_replays.cpp)
target_link_libraries(find_replays PRIVATE replaykit)

# The same search in the level editor's play mode, on the shipped levels saved as track
# files (run by hand: find_editor_replays build/bin tests/editor/replays).
add_library(editorreplaykit STATIC ${CMAKE_CURRENT_LIST_DIR}/EditorReplayWorld.cpp)
target_link_libraries(editorreplaykit PUBLIC replaysearch velorune_editor_core)

add_executable(find_editor_replays ${CMAKE_CURRENT_LIST_DIR}/find_editor_replays.cpp)
target_link_libraries(find_editor_replays PRIVATE editorreplaykit)
