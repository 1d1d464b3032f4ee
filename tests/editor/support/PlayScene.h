// A small track for play mode, built in the editor's own arrays and bounds on a started
// editor (the test bed), under the editor's rules or, for comparison of the collision, under
// the same rules with the game's numbers in the rows where the two programs differ.
#pragma once
#include <cstdint>
#include <vector>

#include "tests/editor/support/EditorTestBed.h"

enum class RulesUnderTest { Editor, GameNumbers };

class PlayScene {
public:
    explicit PlayScene(RulesUnderTest rules = RulesUnderTest::Editor);

    // The gap every collision correction leaves, and the height below which a run ends.
    double Gap() const;
    float DeadBelow() const;

    // What the game's hooks would have been told (nothing is told under the editor's rules).
    struct Heard {
        std::vector<int16_t> sounds;
        int finishes = 0, starsTaken = 0, kills = 0, falls = 0;
    };
    static Heard heard;

    // Play Mode! on the track built: its snapshot saved and loaded back, the run started.
    void EnterPlayMode();

    // Objects appended to the track, every face painted; the bounds follow.
    static void AddBlock(float x, float y, float z, float w, float h, float d, uint8_t actionCode = 0);
    // direction 2 towards -X, 3 towards +X; speed in hundredths of a unit per frame.
    static void AddPlatform(float x, float y, float z, float w, float h, float d, uint8_t direction, uint8_t speed,
                            uint8_t distance, uint8_t actionCode = 0);
    static void AddRamp(int32_t x, int32_t y, int32_t z, int16_t w, int16_t h, int16_t d, int rotations);
    static void AddStar(int32_t x, int32_t y, int32_t z);
    // The player at the position with the speeds.
    static void Place(float x, float y, float z, float hv = 0, float vv = 0, float fv = 0);
    // The collision step of a play-mode frame, then the drawing that moves everything on,
    // without the main loop (and so without its restarts).
    void Frame();

    EditorTestBed bed;
    const RulesUnderTest rules;
};
