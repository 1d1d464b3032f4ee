// The search for key scripts that finish a track, by a beam search over a program's real play
// step: from each kept state every key choice is held for a few steps, states that die or
// fall are dropped, and the best are kept by stars taken, then by distance driven. A script
// that takes every star is preferred; without one, the best finish. The search knows only
// the track world; each program's play (the game's levels, the editor's play mode) comes in
// through SearchWorld.
#pragma once
#include <cstdint>
#include <functional>

#include "tools/replay/KeyScript.h"

namespace replay {

enum class Outcome { Playing, Finished, Died };

class SearchWorld {
public:
    virtual ~SearchWorld() = default;
    virtual int32_t LevelCount() const = 0;
    virtual int32_t StarsInLevel(int32_t level) const = 0;
    // The start of a run on the level, with nothing taken.
    virtual void StartLevel(int32_t level) = 0;
    // One play step with exactly these keys down. Finished once the finish is reached, Died
    // once the run ended otherwise.
    virtual Outcome Step(const Keys& keys) = 0;
    // Stars taken in this run so far.
    virtual int32_t StarsTaken() const = 0;
    // Everything of play that a step can change; calling the result puts it back.
    virtual std::function<void()> Save() = 0;

    // Runs a whole script from the start of the level; stops at the first finish.
    Outcome Play(int32_t level, const KeyScript& script);
};

// The program's main: find_replays <source> <output folder> [level[:opening.keys] ...]. For
// each level (all when none is named) it writes levelNN.keys into the output folder; a level
// may be given a hand-made opening that the search goes on from. 0 when every level finished.
int FindReplaysMain(SearchWorld& world, int argc, char** argv);

}  // namespace replay
