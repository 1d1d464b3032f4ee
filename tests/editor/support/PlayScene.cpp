#include "tests/editor/support/PlayScene.h"

#include <gtest/gtest.h>

#include "tests/support/play/WorldPlacing.h"

#include "editor/CollisionDetection.h"
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "platform/Paths.h"
#include "world/TrackObjects.h"
#include "world/WorldRules.h"
#include "world/clsPlayer.h"

PlayScene::Heard PlayScene::heard;

namespace {

// The game's side of the rows where the two programs differ; the queries stay the editor's,
// so that one scene serves both.
void UseGameNumbers() {
    const WorldRules game{};
    gWorldRules.ContactGap = game.ContactGap;
    gWorldRules.DeadBelowY = game.DeadBelowY;
    gWorldRules.FallSoundTop = game.FallSoundTop;
    gWorldRules.FallSoundBottom = game.FallSoundBottom;
    gWorldRules.PlayerStartY = game.PlayerStartY;
    gWorldRules.SpinKeepsIceSkid = game.SpinKeepsIceSkid;
    gWorldRules.Finish = [] { ++PlayScene::heard.finishes; };  // the game completes the level
    gWorldRules.PlaySound = [](int16_t effect) { PlayScene::heard.sounds.push_back(effect); };
    gWorldRules.StarTaken = [] { ++PlayScene::heard.starsTaken; };
    gWorldRules.Killed = [] { ++PlayScene::heard.kills; };
    gWorldRules.Fell = [] { ++PlayScene::heard.falls; };
}

}  // namespace

PlayScene::PlayScene(RulesUnderTest rulesToUse) : rules(rulesToUse) {
    heard = {};
    bed.Start();
    if (rules == RulesUnderTest::GameNumbers) UseGameNumbers();
    gBlocks.clear();
    gRamps.clear();
    gMovingPlatforms.clear();
    gStars.clear();
    gBlockCount = gRampCount = gPlatformCount = gStarCount = -1;
    gHasSelection = false;
    gPlayer.resetPLayer();
    gCanJump = false;
    DirectX::ResetCamera();
}

double PlayScene::Gap() const { return rules == RulesUnderTest::Editor ? 0.001 : 0.0001; }

float PlayScene::DeadBelow() const { return rules == RulesUnderTest::Editor ? -40.0f : -100.0f; }

void PlayScene::EnterPlayMode() {
    frmMain.mnu_playmode_Click();
    ASSERT_EQ(gEditorMode, MODE_PLAY);
}

void PlayScene::AddBlock(float x, float y, float z, float w, float h, float d, uint8_t actionCode) {
    clsblock& block = gBlocks.emplace_back();
    block.create(x, y, z, w, h, d);
    block.changeactioncode(actionCode);
    for (const char* face : {"A", "B", "C", "D"}) block.Texture("_default.bmp", face, gTexturePath);
    gBlockCount = static_cast<int32_t>(gBlocks.size()) - 1;
}

void PlayScene::AddPlatform(float x, float y, float z, float w, float h, float d, uint8_t direction,
                            uint8_t speed, uint8_t distance, uint8_t actionCode) {
    clsMovingPlatform& platform = gMovingPlatforms.emplace_back();
    platform.create(x, y, z);
    platform.Xpos(x);
    platform.Ypos(y);
    platform.Zpos(z);
    platform.scaleX(w);
    platform.scaleY(h);
    platform.scalez(d);
    platform.Mdir(direction);
    platform.Mspeed(speed);
    platform.Mdist(distance);
    platform.MloopBack(true);
    platform.changeactioncode(actionCode);
    for (const char* face : {"A", "B", "C", "D"}) platform.Texture("concrete.bmp", face, gTexturePath);
    gPlatformCount = static_cast<int32_t>(gMovingPlatforms.size()) - 1;
}

void PlayScene::AddRamp(int32_t x, int32_t y, int32_t z, int16_t w, int16_t h, int16_t d, int rotations) {
    clsRamp& ramp = gRamps.emplace_back();
    ramp.create(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    for (int i = 0; i < rotations; ++i) ramp.rotate();
    ramp.scaleX(w);
    ramp.scaleY(h);
    ramp.scalez(d);
    ramp.Texture("wood.bmp", "A", gTexturePath);
    ramp.Texture("wood.bmp", "B", gTexturePath);
    gRampCount = static_cast<int32_t>(gRamps.size()) - 1;
}

void PlayScene::AddStar(int32_t x, int32_t y, int32_t z) {
    gStarCount = AppendStar(x, y, z);
    gStars.back().load(platform::ProgramPath("models/orb.x"));
}

void PlayScene::Place(float x, float y, float z, float hv, float vv, float fv) { PlacePlayer(x, y, z, hv, vv, fv); }

void PlayScene::Frame() {
    gEditorMode = MODE_PLAY;  // the drawing shows the player
    CollisionDetection::UpdatePlayer();
    DirectX::RenderFrame();
    bed.clock.AdvanceMs(41);
}
