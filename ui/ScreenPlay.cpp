// The screens of a level being played: the star counter over play, the pause menu, and the
// two screens at the finish (a new record's name entry, or the level done).
#include <string>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "ui/GUI.h"
#include "ui/ScreenLayout.h"

namespace GUI::Layout {
namespace {

constexpr int32_t kPausePanel = 30, kRestart = 31, kExitLevel = 32, kQuitGame = 33, kCancel = 34,
                  kEnterHighScore = 35, kMadeIt = 36;
constexpr int32_t kBigText = 30;

}  // namespace

// The counter's left edge is passed with the horizontal offset already added and the field
// adds it once more, so at 1024 x 768 the counter starts at 724 and ends at 912.
void Playing() {
    ResetTabIndices();
    const int32_t stars = gLevelRecords[static_cast<size_t>(gCurrentLevel)].StarCount + 1;
    const auto left = static_cast<int32_t>(500 + gGuiOffsetX);
    SetTextFields({{0, 200, left, 800, 18, 255, 255, 0, "Stars 0 / of " + std::to_string(stars), true}});
    SetZoneBackground();
}

// The text fields stay those of play; the level shows behind the choices.
void PauseMenu() {
    ResetTabIndices();
    ClearMouseOver();
    EnableButtons({kPausePanel, kRestart, kExitLevel, kQuitGame, kCancel});
    SetKeyboardOrder({kRestart, kExitLevel, kQuitGame, kCancel}, 2);
}

// The finish writes the run's time into field 2; the keys type the name into field 1.
void NameEntry() {
    EnableButtons({kEnterHighScore});
    SetTextFields({
        {330, 450, 140, 660, kBigText, 255, 255, 0, "Your NAME", false},
        {225, 300, 140, 660, kBigText, 0, 0, 0, "Your Time = ", false},
    });
}

// The finish writes the run's time into the field.
void LevelDone() {
    EnableButtons({kMadeIt});
    SetTextFields({{340, 450, 140, 660, kBigText, 0, 0, 0, "Test Time", false}});
}

}  // namespace GUI::Layout
