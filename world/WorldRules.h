// What differs between the two programs that carry the track world: a few numbers, what the
// world asks of its program, and what the program does when something happens in play. Each
// program fills gWorldRules once at start-up, before it builds a track; the world reads it on
// every use, so a query answers afresh each step. The defaults have the game's numbers, no
// gravity, every object the arrays hold, always animating, and hooks that do nothing.
#pragma once
#include <cstdint>
#include <limits>
#include <string>

#include "shared/maths.h"

enum class TrackKind : uint8_t { Block, Ramp, Platform, Star };

struct WorldRules {
    // --- Numbers
    // What every collision correction leaves between the player's box and a face, and how far
    // above a falling block's top the player is lifted.
    double ContactGap = 0.0001;
    // A player whose base is below this height has fallen off: the run ends.
    float DeadBelowY = -100.0f;
    // The fall sound starts in every step in which the base is strictly between these heights;
    // an empty band (top not above bottom) keeps the fall silent.
    float FallSoundTop = -10.0f;
    float FallSoundBottom = -15.0f;
    // Where the vehicle stands at the start of every run (X 0, Z 1).
    float PlayerStartY = 3.0f;
    // Whether the jump-pad spin turns the vehicle on top of the ice-skid turn, or instead of it.
    bool SpinKeepsIceSkid = true;
    // A segment's crossing with a face whose x lies this close to 0 (but not on it) is put onto
    // x = 0: the shadow's search for the ground, and the editor's picks.
    float SnapXBelow = maths::kGameSnapXBelow;

    // --- Forms of the track objects' members
    // Whether every edit of a block, platform or ramp (a position or size write, a highlight, a
    // texture stretch, a new vertex buffer, a platform's reset) also brings its collision planes
    // up to date, so that picks and test runs meet the object where it is drawn; or the planes
    // wait for the object's next create, turn, move, fall or hop.
    bool EditsKeepPlanesCurrent = false;
    // The colour a size write gives the upper vertices of the side faces it rebuilds; their
    // lower vertices keep the plain side colour.
    int32_t SizedSideUpperColour = 0x009A9A9A;
    // Where a moving platform's reset puts it: where it was placed, or the origin of its
    // current leg (which a loop-back shifts).
    bool PlatformResetsToStart = false;

    // --- Queries
    // The fall acceleration per step of the track being played.
    float (*Gravity)() = [] { return 0.0f; };
    // The upper bound of a kind (-1 for none); the world lowers it to what its arrays hold.
    int32_t (*LastIndex)(TrackKind kind) = [](TrackKind) { return std::numeric_limits<int32_t>::max(); };
    // Whether drawing moves falling and hopping blocks and spinning stars on by one step.
    bool (*Animating)() = [] { return true; };
    // Whether the program holds every platform still this step: a held platform carries
    // nothing and is met where it stands, whatever its speed.
    bool (*PlatformsHeld)() = [] { return false; };

    // --- Hooks
    // The player landed on the finish; the collision step ends at once afterwards.
    void (*Finish)() = [] {};
    // A sound effect by number (3 fall, 4 star, 5 explosion, 6 jump pad, 7 turbo, 1 jump).
    void (*PlaySound)(int16_t effect) = [](int16_t) {};
    // A star was hidden and its burst started.
    void (*StarTaken)() = [] {};
    // The player's explosion started; the platforms have stopped.
    void (*Killed)() = [] {};
    // The player fell below DeadBelowY; DeathStatus is already set.
    void (*Fell)() = [] {};
    // The explosion reached its last frame; DeathStatus is set right after.
    void (*ExplosionEnded)() = [] {};
    // A jump started.
    void (*Jumped)() = [] {};
    // A line for the program's log: a file the world could not read, a face the collision
    // skipped, the world's start-up steps.
    void (*Log)(const std::string& line) = [](const std::string&) {};
};

extern WorldRules gWorldRules;
