#include "tests/world/EditorRulesWorld.h"

#include "tests/support/play/WorldPlacing.h"

#include "shared/DeviceAndCamera.h"
#include "world/CollisionDetection.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"

EditorRulesWorld::Heard EditorRulesWorld::heard;
float EditorRulesWorld::gravity = 0.025f;
int32_t EditorRulesWorld::blockBound = -1;
int32_t EditorRulesWorld::rampBound = -1;
int32_t EditorRulesWorld::platformBound = -1;
int32_t EditorRulesWorld::starBound = -1;

EditorRulesWorld::EditorRulesWorld() : previous_(gWorldRules) {
    heard = {};
    gravity = 0.025f;
    blockBound = rampBound = platformBound = starBound = -1;
    gWorldRules = WorldRules{
        .ContactGap = 0.001,
        .DeadBelowY = -40.0f,
        .FallSoundTop = 0,
        .FallSoundBottom = 0,
        .PlayerStartY = 3.5f,
        .SpinKeepsIceSkid = false,
        .SnapXBelow = 0.001f,
        .Gravity = [] { return gravity; },
        .LastIndex = [](TrackKind kind) {
            switch (kind) {
                case TrackKind::Block: return blockBound;
                case TrackKind::Ramp: return rampBound;
                case TrackKind::Platform: return platformBound;
                case TrackKind::Star: return starBound;
            }
            return -1;
        },
        .Animating = [] { return true; },
        .Finish = [] {
            ++heard.finishes;
            gPlayer.DeathStatus(true);
        },
        .PlaySound = [](int16_t effect) { heard.sounds.push_back(effect); },
        .StarTaken = [] { ++heard.starsTaken; },
        .Killed = [] { ++heard.kills; },
        .Fell = [] { ++heard.falls; },
        .ExplosionEnded = [] { ++heard.explosionEnds; },
        .Jumped = [] { ++heard.jumps; },
    };
    gD3DDevice = &device;
    platform::SetClockSource(&clock);
    clock.ticks = 100000;
    gBlocks.clear();
    gRamps.clear();
    gMovingPlatforms.clear();
    gStars.clear();
    gPlayer = clsPlayer{};
    gPlayer.resetPLayer();
    gCanJump = false;
    gCameraEye = {0, 25, -18};  // each program resets its own camera; both start here
    gCameraLookAt = {0, 8, 0};
}

EditorRulesWorld::~EditorRulesWorld() {
    gPlayer = clsPlayer{};
    gBlocks.clear();
    gStars.clear();
    platform::SetClockSource(nullptr);
    gD3DDevice = nullptr;
    gWorldRules = previous_;
}

void EditorRulesWorld::AddBlock(float x, float y, float z, float w, float h, float d, uint8_t actionCode) {
    clsblock& block = gBlocks.emplace_back();
    block.create(x, y, z, w, h, d);
    block.changeactioncode(actionCode);
    blockBound = static_cast<int32_t>(gBlocks.size()) - 1;
}

void EditorRulesWorld::AddStar(int32_t x, int32_t y, int32_t z) { starBound = AppendStar(x, y, z); }

void EditorRulesWorld::Place(float x, float y, float z) {
    gPlayer.Posx(x);
    gPlayer.PosY(y);
    gPlayer.Posz(z);
}

void EditorRulesWorld::Frame() {
    CollisionDetection::CheckCollisions();
    for (clsblock& block : gBlocks) block.draw();
    for (clsStar& star : gStars) star.draw();
    gPlayer.draw();
    clock.AdvanceMs(40);
}
