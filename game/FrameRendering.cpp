// Drawing one frame of whatever the game state shows: menus as a picture with buttons and
// text fields, and the track world in play, on the level-select screen and behind the pause
// menu.
#include <algorithm>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "game/LevelBuilding.h"
#include "world/clsBackground.h"
#include "game/frmGame.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"
#include "world/clsParticles.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"

namespace frmGame {
namespace {

constexpr float kDrawBehind = 25;
constexpr float kDrawAhead = 50;
constexpr int16_t kButtonPass = 1;

GUI::Picture gShownPicture;  // of the frame drawn last

void DrawBackground() { gBackground.draw(); }

void DrawByState() {
    switch (gGameState) {
        case STATE_MAINMENU:
        case STATE_ZONEMENU:
            DrawBackground();
            DrawButtons();
            break;
        case STATE_PLAYING:
            DrawLevel(false);
            DrawPlayer();
            DrawTextFields();
            break;
        case STATE_LEVELSELECT:
            DrawLevel(true);
            DrawButtons();
            DrawTextFields();
            break;
        case STATE_PAUSE:
            DrawLevel(false);
            DrawButtons();
            break;
        case STATE_NAMEENTRY:
        case STATE_LEVELDONE:
        case STATE_OPTIONS:
        case STATE_INSTRUCTIONS1:
        case STATE_INSTRUCTIONS2:
        case STATE_INSTRUCTIONS3:
        case STATE_USERLEVELS:
            DrawBackground();
            DrawButtons();
            DrawTextFields();
            break;
        case STATE_LOADING:
            DrawBackground();
            break;
        default:
            break;  // before start-up, leaving, or an unknown state: a black frame
    }
}

// Loops by the level record's upper bound, never by the array's size: a kind the level
// lacks keeps the previous level's objects.
template <class Objects, class Draw>
void ForEach(Objects& objects, int32_t last, Draw draw) {
    for (int32_t i = 0; i <= LastHeld(last, objects); ++i) draw(objects[static_cast<size_t>(i)]);
}

}  // namespace

void Render() {
    if (!gD3DDevice) return;
    if (gD3DDevice->TestCooperativeLevel() != d3d::D3D_OK) {
        DirectX::ResetDevice();
        return;
    }
    gShownPicture = GUI::CurrentPicture();
    gD3DDevice->Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0, 1.0f);
    gD3DDevice->BeginScene();
    DrawByState();
    gD3DDevice->EndScene();
    gD3DDevice->Present();
}

// A lost device has lost the frame on screen too; the next Render restores it.
bool FrameWouldLookTheSame() {
    return gD3DDevice && gD3DDevice->TestCooperativeLevel() == d3d::D3D_OK && GUI::CurrentPicture() == gShownPicture;
}

bool InDepthWindow(float playerZ, int32_t zStart, float zEnd) {
    const auto behind = static_cast<float>(static_cast<double>(playerZ) - kDrawBehind);
    const auto ahead = static_cast<float>(static_cast<double>(playerZ) + kDrawAhead);
    return behind < zEnd && ahead > static_cast<float>(zStart);
}

void DrawLevel(bool drawAll) {
    DrawBackground();
    if (gCurrentLevel < 1 || gCurrentLevel >= static_cast<int32_t>(gLevelRecords.size())) return;
    const LevelRecord& level = gLevelRecords[static_cast<size_t>(gCurrentLevel)];
    const float z = gPlayer.Posz();
    auto drawInWindow = [&](auto& object) {
        const auto zEnd = static_cast<float>(static_cast<double>(object.Zpos()) + static_cast<double>(object.scalez()));
        if (drawAll || InDepthWindow(z, object.Zpos(), zEnd)) object.draw();
    };
    ForEach(gBlocks, level.BlockCount, drawInWindow);
    ForEach(gRamps, level.RampCount, drawInWindow);
    ForEach(gMovingPlatforms, level.PlatformCount, [](auto& platform) { platform.draw(); });
    ForEach(gStars, level.StarCount, [](auto& star) { star.draw(); });
}

void DrawPlayer() {
    gPlayer.draw();
    gParticles.draw();
}

void DrawTextFields() {
    for (int32_t i = 1; i <= gFontFieldCount; ++i) gFontFields(i).Render();
}

void DrawButtons() {
    for (int32_t i = 1; i <= 59; ++i)
        if (gButtons[i].enabled()) gButtons[i].draw(kButtonPass);
}

}  // namespace frmGame
