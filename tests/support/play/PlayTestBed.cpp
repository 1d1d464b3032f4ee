#include "tests/support/play/PlayTestBed.h"

#include "tests/support/play/WorldPlacing.h"

#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "game/frmGame.h"
#include "ui/FontFieldTable.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"

namespace {

template <typename Record>
void Append(std::vector<Record>& records, int32_t& upperBound, const Record& record) {
    records.push_back(record);
    upperBound = static_cast<int32_t>(records.size()) - 1;
}

}  // namespace

PlayTestBed::PlayTestBed() {
    gLevelRecords.assign(2, LevelRecord{});
    gCurrentLevel = 1;
    gGameState = STATE_PLAYING;
    gFontFields.ReDim(2);
    gStarsCollected = 0;
    gFallCount = 0;
    TotalFrames = 0;
    Build();
}

PlayTestBed::~PlayTestBed() { gGameState = STATE_LOADED; }

LevelRecord& PlayTestBed::Level() { return gLevelRecords[1]; }

void PlayTestBed::Gravity(float perStep) { Level().Settings.Gravity = perStep; }

void PlayTestBed::AddBlock(float x, float y, float z, float w, float h, float d, uint8_t actionCode) {
    BlockRecord r;
    r.X = x, r.Y = y, r.Z = z, r.ScaleX = w, r.ScaleY = h, r.ScaleZ = d, r.ActionCode = actionCode;
    Append(Level().Blocks, Level().BlockCount, r);
}

void PlayTestBed::AddRamp(float x, float y, float z, float w, float h, float d, uint8_t rotation) {
    RampRecord r;
    r.X = x, r.Y = y, r.Z = z, r.ScaleX = w, r.ScaleY = h, r.ScaleZ = d, r.Rotation = rotation;
    Append(Level().Ramps, Level().RampCount, r);
}

void PlayTestBed::AddPlatform(float x, float y, float z, float w, float h, float d, uint8_t direction,
                              uint8_t speed, uint8_t distance, uint8_t actionCode) {
    MovingPlatformRecord r;
    r.X = x, r.Y = y, r.Z = z, r.ScaleX = w, r.ScaleY = h, r.ScaleZ = d, r.ActionCode = actionCode;
    r.Direction = direction, r.Speed = speed, r.Distance = distance, r.LoopBack = 255;
    Append(Level().Platforms, Level().PlatformCount, r);
}

void PlayTestBed::AddStar(float x, float y, float z) {
    StarRecord r;
    r.X = x, r.Y = y, r.Z = z;
    Append(Level().Stars, Level().StarCount, r);
}

// A platform's collision faces follow it from its first move on.
void PlayTestBed::Build() {
    LevelStructure::BuildLevel(1, false);
    frmGame::MovePlatforms();
}

void PlayTestBed::Place(float x, float y, float z, float hv, float vv, float fv) { PlacePlayer(x, y, z, hv, vv, fv); }

void PlayTestBed::Step() {
    CollisionDetection::CheckCollisions();
    frmGame::MovePlatforms();
    frmGame::Render();
    rig.clock.AdvanceMs(40);
}

void PlayTestBed::Step(std::initializer_list<uint8_t> keys) {
    if (gPlayer.DeathStatus()) frmGame::resetgame(false);
    rig.Hold(keys);
    frmGame::ProcessInput();
    Step();
}
