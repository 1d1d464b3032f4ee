// The level-select screen: one level of the zone at a time, its best times, the player's
// statistics and the all-stars badge over a still view of the level's track. The arrows step
// through the zone's levels and wrap round at either end.
#include <string>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "platform/D3DXMath.h"
#include "ui/DXmusicSFX.h"
#include "ui/GUI.h"
#include "ui/ScreenLayout.h"

namespace GUI::Layout {
namespace {

constexpr int32_t kMainMenu = 2, kNextLevel = 24, kPreviousLevel = 25, kPlayTrack = 26, kSideBar = 27,
                  kFastestTimes = 28, kPosition = 29, kAllStars = 42, kAllStarsGrey = 43, kStatsBar = 51,
                  kStats = 52;
constexpr int32_t kTextSize = 13;
constexpr int32_t kLevelsShownPerZone = 10;  // the counter's denominator, whatever the zone holds

FieldLook White(int32_t top, int32_t bottom, int32_t left, int32_t right, std::string text) {
    return {top, bottom, left, right, kTextSize, 255, 255, 255, std::move(text), true};
}

// Seconds are not split into minutes: 75 s and 8 hundredths read "75:08".
std::string BestTimeText(int32_t seconds, int32_t hundredths) {
    return std::to_string(seconds) + ":" + (hundredths < 10 ? "0" : "") + std::to_string(hundredths);
}

void StepLevel(uint8_t Direction) {
    switch (Direction) {
        case 1:
            --gCurrentLevel;
            gButtons[kNextLevel].MouseOver(false);
            gButtons[kPreviousLevel].MouseOver(true);
            break;
        case 2:
            ++gCurrentLevel;
            gButtons[kPreviousLevel].MouseOver(false);
            gButtons[kNextLevel].MouseOver(true);
            break;
        case 3: gButtons[kNextLevel].MouseOver(true); break;
        default: break;
    }
    if (gCurrentLevel < gZoneFirstLevel) gCurrentLevel = gZoneLastLevel;
    if (gCurrentLevel > gZoneLastLevel) gCurrentLevel = gZoneFirstLevel;
}

std::string Times(int32_t count) { return std::to_string(count) + " Times"; }

void SetTexts() {
    const auto level = static_cast<size_t>(gCurrentLevel);
    const BestTimes& best = gLevelRecords[level].BestTimes;
    const LevelStatsRecord& stats = gLevelStats[level];
    const std::string counter =
        std::to_string(gCurrentLevel - (gZoneFirstLevel - 1)) + " / " + std::to_string(kLevelsShownPerZone);
    std::vector<FieldLook> fields = LevelFrameFields(
        {Globals::TrimControlChars(best.Name1), Globals::TrimControlChars(best.Name2),
         Globals::TrimControlChars(best.Name3)},
        {BestTimeText(best.Seconds1, best.Hundredths1), BestTimeText(best.Seconds2, best.Hundredths2),
         BestTimeText(best.Seconds3, best.Hundredths3)},
        counter);
    fields.push_back(White(285, 315, 597, 764, stats::FormatTime(stats.PlayTime)));
    fields.push_back(White(365, 390, 597, 764, Times(stats.DeathCount)));
    fields.push_back(White(445, 475, 597, 764, Times(stats.FallCount)));
    fields.push_back(White(505, 535, 597, 764, Times(stats.JumpCount)));
    SetTextFields(fields);
}

// The preview camera stands raised behind the start, looking at the track ahead.
void SetPreviewCamera() {
    DirectX::ResetCamera();
    gCameraEye.Z -= 45;
    gCameraEye.Y += 10;
    gCameraLookAt.Y += 10;
    Vector3 up;
    DirectX::MakeVector(up, 0, 1, 0);
    gMatView = d3dx::MatrixLookAtLH(gCameraEye, gCameraLookAt, up);
    gD3DDevice->SetTransform(d3d::TS_VIEW, gMatView);
}

}  // namespace

// The arrows and the play-track button get their height with the vertical offset added; the
// button adds it once more, which keeps them at a fixed distance above the bottom edge.
void EnableLevelFrame() {
    EnableButtons({kNextLevel, kPreviousLevel, kMainMenu, kPlayTrack, kSideBar, kFastestTimes, kPosition});
    gButtons[kPlayTrack].Y(gGuiOffsetY + 495);
    gButtons[kPreviousLevel].Y(gGuiOffsetY + 475);
    gButtons[kNextLevel].Y(gGuiOffsetY + 475);
}

// The counter is anchored to the bottom edge like the arrows above it: both its top and its
// bottom carry the vertical offset, so the field adds it to a rectangle the right way up.
std::vector<FieldLook> LevelFrameFields(const std::array<std::string, 3>& names,
                                        const std::array<std::string, 3>& times, const std::string& counter) {
    const auto counterTop = static_cast<int32_t>(gGuiOffsetY + 550);
    const auto counterBottom = static_cast<int32_t>(gGuiOffsetY + 600);
    return {
        White(200, 400, 40, 203, names[0]),
        White(300, 500, 40, 203, names[1]),
        White(400, 600, 40, 203, names[2]),
        White(230, 600, 40, 203, times[0]),
        White(330, 600, 40, 203, times[1]),
        White(430, 600, 40, 203, times[2]),
        White(counterTop, counterBottom, 300, 500, counter),
    };
}

void LevelSelect(uint8_t Direction) {
    ResetTabIndices();
    DXmusicSFX::StopMusic();
    EnableLevelFrame();
    EnableButtons({kStatsBar, kStats});
    StepLevel(Direction);
    EnableButtons({gLevelAllStars[static_cast<size_t>(gCurrentLevel)] ? kAllStars : kAllStarsGrey});
    SetTexts();
    SetPreviewCamera();
    LevelStructure::BuildLevel(gCurrentLevel, false);
    SetZoneBackground();
}

}  // namespace GUI::Layout
