// ShowScreen: the screen of the current game state, laid out from nothing except what the
// screen itself leaves as the previous screen set it.
#include <array>

#include "game/Globals.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"
#include "ui/ScreenLayout.h"
#include "world/clsBackground.h"

namespace GUI {
namespace Layout {

void EnableButtons(std::initializer_list<int32_t> buttons) {
    for (int32_t i : buttons) gButtons[i].enabled(true);
}

void SetKeyboardOrder(std::initializer_list<int32_t> buttons, int32_t focusedTab) {
    int32_t tab = 0;
    for (int32_t i : buttons) {
        gButtons[i].TabIndex(++tab);
        if (tab == focusedTab) gButtons[i].MouseOver(true);
    }
    gTabIndex = focusedTab;
    gTabMax = tab;
}

void SetTextFields(const std::vector<FieldLook>& looks) {
    gFontFields.ReDim(static_cast<int32_t>(looks.size()));
    int32_t i = 0;
    for (const FieldLook& look : looks) {
        clsFontField& field = gFontFields(++i);
        field.Set_Field(look.Top, look.Bottom, look.Left, look.Right);
        field.Set_FontSize(look.Size);
        field.Set_Colour(look.Red, look.Green, look.Blue);
        field.Set_FontName("Ariel");
        field.Set_Text(look.Text);
        field.Set_Bold(look.Bold);
    }
}

void SetBackground(const std::string& file) { gBackground.create(gBackgroundPath + file); }

void SetZoneBackground() {
    static constexpr std::array<const char*, 6> kZonePictures = {"_default.jpg", "bk001.jpg", "bk003.jpg",
                                                                 "bk006.jpg",    "bk004.jpg", "bk005.jpg"};
    if (gZone >= 1 && gZone <= 6) SetBackground(kZonePictures[static_cast<size_t>(gZone - 1)]);
}

}  // namespace Layout

void ShowScreen(uint8_t Direction) {
    PictureChanged();
    DisableAllButtons();
    switch (gGameState) {
        case STATE_MAINMENU: Layout::MainMenu(); break;
        case STATE_PLAYING: Layout::Playing(); break;
        case STATE_LEVELSELECT: Layout::LevelSelect(Direction); break;
        case STATE_PAUSE: Layout::PauseMenu(); break;
        case STATE_NAMEENTRY: Layout::NameEntry(); break;
        case STATE_LEVELDONE: Layout::LevelDone(); break;
        case STATE_OPTIONS: Layout::Options(); break;
        case STATE_ZONEMENU: Layout::ZoneMenu(); break;
        case STATE_INSTRUCTIONS1:
        case STATE_INSTRUCTIONS2:
        case STATE_INSTRUCTIONS3: Layout::InstructionPage(gGameState - STATE_INSTRUCTIONS1 + 1); break;
        case STATE_USERLEVELS: Layout::UserLevels(); break;
        default: break;  // loading, start-up and leaving show no buttons
    }
}

}  // namespace GUI
