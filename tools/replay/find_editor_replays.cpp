// Finds, for the shipped levels saved as track files, key scripts that reach the finish in
// the level editor's play mode (tools/replay/ReplaySearch.h): the editor's rules differ from
// the game's (start height, contact gap, fall limit), so the game's scripts do not serve.
// Usage: find_editor_replays <program folder with levels/> <output folder> [level[:opening.keys] ...]
#include <cstdio>

#include "tools/replay/EditorReplayWorld.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: find_editor_replays <program folder> <output folder> [level ...]\n");
        return 2;
    }
    replay::EditorReplayWorld world(argv[1]);
    if (!world.Loaded() || world.LevelCount() == 0) {
        std::fprintf(stderr, "cannot play the track files of %s/levels\n", argv[1]);
        return 1;
    }
    return replay::FindReplaysMain(world, argc, argv);
}
