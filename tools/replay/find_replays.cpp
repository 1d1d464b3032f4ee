// Finds, for every level of a levels.dat, a key script that reaches the finish in the game's
// play step (tools/replay/ReplaySearch.h). A level may be given a hand-made opening
// (level:file.keys) that the search goes on from.
// Usage: find_replays <levels.dat> <output folder> [level[:opening.keys] ...]
#include <cstdio>

#include "tools/replay/ReplayWorld.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: find_replays <levels.dat> <output folder> [level ...]\n");
        return 2;
    }
    replay::ReplayWorld world(argv[1]);
    if (!world.Loaded()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    return replay::FindReplaysMain(world, argc, argv);
}
