// A small track played under rules like the level editor's, with nothing of the game linked:
// a recording device, a clock moved by hand, and hooks that only note what the world asked of
// its program. Each test builds its scene with the world's own classes.
#pragma once
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/recording/RecordingDevice.h"
#include "world/WorldRules.h"

class EditorRulesWorld : public ::testing::Test {
protected:
    EditorRulesWorld();
    ~EditorRulesWorld() override;

    // What the hooks saw since the test began.
    struct Heard {
        std::vector<int16_t> sounds;
        int finishes = 0, starsTaken = 0, kills = 0, falls = 0, explosionEnds = 0, jumps = 0;
    };
    static Heard heard;
    // What the queries answer; tests change them between steps.
    static float gravity;
    static int32_t blockBound, rampBound, platformBound, starBound;

    // Appends a block (size as the editor gives it: create keeps the depth 0.1 short).
    static void AddBlock(float x, float y, float z, float w, float h, float d, uint8_t actionCode = 0);
    static void AddStar(int32_t x, int32_t y, int32_t z);
    // The player standing still at the position.
    static void Place(float x, float y, float z);
    // One editor frame of play: the collision step, then the drawing of the track and the
    // player, which moves falls, hops, spins and the player on.
    void Frame();

    d3d::RecordingDevice device;
    platform::ManualClock clock;

private:
    WorldRules previous_;
};
