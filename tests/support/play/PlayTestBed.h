// A level built from records in memory and played headless: the player, the track objects
// and the collision step run as in the game's play step, on the fakes of PlayRig.
#pragma once
#include <cstdint>
#include <initializer_list>

#include "shared/TrackRecords.h"
#include "tests/support/play/PlayRig.h"

class PlayTestBed {
public:
    // Level 1 of a one-level game, empty, without gravity, being played.
    PlayTestBed();
    ~PlayTestBed();
    PlayTestBed(const PlayTestBed&) = delete;
    PlayTestBed& operator=(const PlayTestBed&) = delete;

    LevelRecord& Level();
    void Gravity(float perStep);
    void AddBlock(float x, float y, float z, float w, float h, float d, uint8_t actionCode = 0);
    void AddRamp(float x, float y, float z, float w, float h, float d, uint8_t rotation);
    // direction 2 moves towards -X, 3 towards +X; speed in hundredths per step.
    void AddPlatform(float x, float y, float z, float w, float h, float d, uint8_t direction, uint8_t speed,
                     uint8_t distance, uint8_t actionCode = 0);
    void AddStar(float x, float y, float z);
    // Builds the objects from the records, as a restart does, then moves the platforms once.
    void Build();

    // Puts the player at the position with the speeds.
    void Place(float x, float y, float z, float hv = 0, float vv = 0, float fv = 0);
    // One play step after the keys: collision, platforms, and the frame, whose drawing moves
    // the player and the falling and hopping blocks.
    void Step();
    // One whole play step with exactly these keys down, as the main loop runs it.
    void Step(std::initializer_list<uint8_t> keys);

    PlayRig rig;
};
