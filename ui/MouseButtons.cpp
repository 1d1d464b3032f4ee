// The pointer over the menus: the highlight follows it, and a click acts through the button
// under it that has an action on the current screen.
#include <algorithm>
#include <optional>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "game/frmGame.h"
#include "platform/DesktopOpen.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/ReadableFile.h"
#include "ui/DXmusicSFX.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"

namespace GUI {
namespace {

constexpr int16_t kClickSound = 9;
constexpr int16_t kEffectsSample = 1;
constexpr int32_t kZoneALevels = 10;

std::optional<platform::DesktopOpening> gReadmeOpening;  // the read-me handed to the desktop

void GoTo(int16_t state, uint8_t Direction = 0) {
    gGameState = state;
    DXmusicSFX::PlaySound(kClickSound);
    ShowScreen(Direction);
}

void StepLevel(uint8_t Direction) {
    DXmusicSFX::PlaySound(kClickSound);
    ShowScreen(Direction);
}

// The pause menu's ways out all restart the level first.
void LeaveThePause(int16_t state, uint8_t Direction) {
    DXmusicSFX::PlaySound(kClickSound);
    gGameState = state;
    frmGame::resetgame(false);
    ShowScreen(Direction);
}

void SetEffectsVolume(int32_t volume) {
    DXmusicSFX::SetSFXVolume(volume);
    gFontFields(1).Set_Text(DXmusicSFX::SfxVolumeLabel());
    DXmusicSFX::PlaySound(kEffectsSample);
}

void SetMusicVolume(int32_t volume) {
    DXmusicSFX::SetMusicVolume(volume);
    gFontFields(2).Set_Text(DXmusicSFX::MusicVolumeLabel());
}

bool MainMenuClick(int32_t button) {
    switch (button) {
        case 15:
        case 22:
            DXmusicSFX::PlaySound(kClickSound);
            OpenWebSite();
            return true;
        case 19: GoTo(STATE_ZONEMENU); return true;
        case 20: GoTo(STATE_OPTIONS); return true;
        case 21: GoTo(STATE_INSTRUCTIONS1); return true;
        case 23:
            DXmusicSFX::PlaySound(kClickSound);
            gGameState = STATE_LEAVING;
            gRunning = false;
            return true;
        default: return false;
    }
}

bool LevelSelectClick(int32_t button) {
    switch (button) {
        case 2: GoTo(STATE_ZONEMENU); return true;
        case 24: StepLevel(2); return true;
        case 25: StepLevel(1); return true;
        case 26:
            DXmusicSFX::PlaySound(kClickSound);
            if (gZone == 1) DXmusicSFX::PlayMusic(1);
            frmGame::startPlaying();
            ShowScreen(0);
            return true;
        default: return false;
    }
}

bool PauseMenuClick(int32_t button) {
    switch (button) {
        case 31: LeaveThePause(STATE_PLAYING, 0); return true;
        case 32: LeaveThePause(STATE_LEVELSELECT, 3); return true;
        case 33: LeaveThePause(STATE_MAINMENU, 0); return true;
        case 34:  // play goes on as it was: no new layout
            DXmusicSFX::PlaySound(kClickSound);
            gGameState = STATE_PLAYING;
            return true;
        default: return false;
    }
}

// A click on the marked video mode goes through the plain button beneath it and applies the
// mode again.
bool OptionsClick(int32_t button) {
    switch (button) {
        case 14: GoTo(STATE_MAINMENU); return true;
        case 16: SetEffectsVolume(gSfxVolume - DXmusicSFX::kSfxVolumeStep); return true;
        case 17: SetEffectsVolume(gSfxVolume + DXmusicSFX::kSfxVolumeStep); return true;
        case 18: SetMusicVolume(gMusicVolume + DXmusicSFX::kMusicVolumeStep); return true;
        case 37: SetMusicVolume(gMusicVolume - DXmusicSFX::kMusicVolumeStep); return true;
        case 53: DirectX::ChangeVideoMode(1); return true;
        case 55: DirectX::ChangeVideoMode(2); return true;
        default: return false;
    }
}

bool ZoneMenuClick(int32_t button) {
    switch (button) {
        case 2: GoTo(STATE_MAINMENU); return true;
        case 4: ChooseZoneA(); return true;
        case 59: GoTo(STATE_USERLEVELS); return true;
        default: return false;
    }
}

// The pages form a ring: 1, 2, 3, 1, ...
bool InstructionsClick(int16_t page, int32_t button) {
    const auto turnTo = [page](int step) {
        return static_cast<int16_t>(STATE_INSTRUCTIONS1 + (page - STATE_INSTRUCTIONS1 + step + 3) % 3);
    };
    switch (button) {
        case 2: GoTo(STATE_MAINMENU); return true;
        case 40: GoTo(turnTo(1)); return true;
        case 41: GoTo(turnTo(-1)); return true;
        default: return false;
    }
}

// Carries out the click of button on the current screen; false when it has no action there.
bool Click(int32_t button) {
    switch (gGameState) {
        case STATE_MAINMENU: return MainMenuClick(button);
        case STATE_LEVELSELECT: return LevelSelectClick(button);
        case STATE_PAUSE: return PauseMenuClick(button);
        case STATE_OPTIONS: return OptionsClick(button);
        case STATE_ZONEMENU: return ZoneMenuClick(button);
        case STATE_INSTRUCTIONS1:
        case STATE_INSTRUCTIONS2:
        case STATE_INSTRUCTIONS3: return InstructionsClick(gGameState, button);
        case STATE_USERLEVELS:
            if (button != 2) return false;
            GoTo(STATE_ZONEMENU);
            return true;
        default: return false;
    }
}

}  // namespace

// Where highlightable buttons overlap, the last in index order keeps the highlight; off every
// button the highlight stays where it was.
void MouseMoveButtons(float X, float Y) {
    for (int32_t i = ButtonTable::kFirst; i <= ButtonTable::kLast; ++i) {
        GUI_Button& button = gButtons[i];
        if (!button.enabled() || !button.HitTest(X, Y) || !button.Rollover()) continue;
        ClearMouseOver();
        button.MouseOver(true);
        if (button.TabIndex() > 0) gTabIndex = button.TabIndex();
    }
}

// Buttons of other screens may lie under the pointer too; they have no action here, so the
// first button in index order with an action on this screen acts, and only it.
void MouseClickButtons(float X, float Y) {
    for (int32_t i = ButtonTable::kFirst; i <= ButtonTable::kLast; ++i)
        if (gButtons[i].HitTest(X, Y) && Click(i)) return;
}

bool ChooseZoneA() {
    if (gLevelCount < 1) return false;
    gGameState = STATE_LEVELSELECT;
    gZone = 1;
    gZoneFirstLevel = 1;
    gZoneLastLevel = static_cast<int16_t>(std::min(gLevelCount, kZoneALevels));
    gCurrentLevel = 1;
    DXmusicSFX::PlaySound(kClickSound);
    ShowScreen(0);
    return true;
}

// The game's site is its read-me, shown by the desktop's viewer. Whether a viewer could show
// it is known once xdg-open has ended, however late; the game goes on meanwhile. A read-me
// that cannot be read (missing, or a FIFO that would hold the viewer up) is told at once.
void OpenWebSite() {
    const std::string readme = platform::ProgramPath("readme.txt");
    if (const platform::ReadableFile file(readme); !file.IsOpen()) {
        platform::MessageBox("The game's read-me " + readme + " cannot be read (" + file.Failure() + ").", "Velorune");
        return;
    }
    gReadmeOpening.emplace(readme);
    WatchWebSite();
}

bool WatchWebSite() {
    platform::ReapEndedViewers();
    if (!gReadmeOpening) return false;
    const platform::DesktopOpening::Outcome outcome = gReadmeOpening->Poll();
    if (outcome == platform::DesktopOpening::Outcome::Pending) return true;
    gReadmeOpening.reset();
    if (outcome == platform::DesktopOpening::Outcome::NotShown) {
        const std::string readme = platform::ProgramPath("readme.txt");
        platform::MessageBox("No program on this computer could open " + readme +
                                 ", the game's read-me.\n\nAny text editor can show it.",
                             "Velorune");
    }
    return false;
}

}  // namespace GUI
