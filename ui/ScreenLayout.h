// The steps the menu screens share, and the layout of each screen. Only ShowScreen calls the
// layouts; each runs after every button has been disabled.
#pragma once
#include <cstdint>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

namespace GUI::Layout {

// The picture of the backgrounds folder behind the main menu and the zone menu.
inline constexpr const char* kMenuBackground = "bk002.jpg";

// The look of one text field: its rectangle in the 800 x 600 design space (the field adds
// the GUI offsets), its font and its text.
struct FieldLook {
    int32_t Top, Bottom, Left, Right;
    int32_t Size;
    int16_t Red, Green, Blue;
    std::string Text;
    bool Bold;
};

void EnableButtons(std::initializer_list<int32_t> buttons);
// The keyboard order of a screen: the buttons get TabIndex 1, 2, ... in the order given, and
// the one with TabIndex focusedTab takes the highlight and the focus.
void SetKeyboardOrder(std::initializer_list<int32_t> buttons, int32_t focusedTab);
// Replaces the text-field table by one fresh field per look, in order.
void SetTextFields(const std::vector<FieldLook>& looks);
// A picture of the backgrounds folder behind the screen.
void SetBackground(const std::string& file);
// The background of the current zone; any other zone leaves the background as it is.
void SetZoneBackground();

// What the level-select and user-levels screens share: the level arrows, the main-menu and
// play-track buttons and the best-times column, enabled, with the arrows and the play-track
// button anchored to the bottom edge of the screen.
void EnableLevelFrame();
// The texts of the best-times column (fields 1 to 6: three names, then three times) and the
// level counter (field 7), all white, bold, size 13.
std::vector<FieldLook> LevelFrameFields(const std::array<std::string, 3>& names,
                                        const std::array<std::string, 3>& times, const std::string& counter);

void MainMenu();
void Playing();
void LevelSelect(uint8_t Direction);
void PauseMenu();
void NameEntry();
void LevelDone();
void Options();
void ZoneMenu();
void InstructionPage(int32_t page);
void UserLevels();

}  // namespace GUI::Layout
