// The main menu, the options screen and the zone menu.
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "ui/DXmusicSFX.h"
#include "ui/GUI.h"
#include "ui/ScreenLayout.h"

namespace GUI::Layout {
namespace {

constexpr int32_t kTitle = 1, kMainMenu = 2, kZoneA = 4, kZoneB = 5, kZoneC = 6, kZoneD = 7, kZoneE = 8,
                  kZoneF = 9, kBackdrop = 10, kSfxLabel = 11, kMusicLabel = 12, kVideoLabel = 13, kGoBack = 14,
                  kCornerPicture = 15, kSfxDown = 16, kSfxUp = 17, kMusicUp = 18, kPlay = 19, kOptions = 20,
                  kInstructions = 21, kWebsite = 22, kQuit = 23, kMusicDown = 37, kZoneAllStars = 45,
                  k800x600 = 53, k800x600Marked = 54, k1024x768 = 55, k1024x768Marked = 56, kUserLevels = 59;

constexpr int32_t kVolumeSize = 18;

}  // namespace

void MainMenu() {
    DXmusicSFX::StopMusic();
    ClearMouseOver();
    EnableButtons({kTitle, kBackdrop, kPlay, kOptions, kInstructions, kWebsite, kQuit, kCornerPicture});
    ResetTabIndices();
    SetKeyboardOrder({kPlay, kOptions, kInstructions, kWebsite, kQuit}, 1);
    SetBackground(kMenuBackground);
}

void Options() {
    ResetTabIndices();
    EnableButtons({kTitle, kBackdrop, kSfxLabel, kMusicLabel, kGoBack, kCornerPicture, kSfxDown, kSfxUp, kMusicDown,
                   kMusicUp, kVideoLabel});
    EnableButtons({gOptions.VideoMode == 1 ? k800x600Marked : k800x600});
    EnableButtons({gOptions.VideoMode == 2 ? k1024x768Marked : k1024x768});
    SetTextFields({
        {280, 350, 460, 535, kVolumeSize, 0, 0, 0, DXmusicSFX::SfxVolumeLabel(), true},
        {335, 400, 460, 535, kVolumeSize, 0, 0, 0, DXmusicSFX::MusicVolumeLabel(), true},
    });
}

void ZoneMenu() {
    ResetTabIndices();
    EnableButtons({kMainMenu, kZoneA, kZoneB, kZoneC, kZoneD, kZoneE, kZoneF, kUserLevels});
    SetBackground(kMenuBackground);
    if (IsStoredTrue(gZoneAllStars[1])) EnableButtons({kZoneAllStars});
    SetKeyboardOrder({kMainMenu, kZoneA, kUserLevels}, 2);
}

}  // namespace GUI::Layout
