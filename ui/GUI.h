// The menus: the table of menu buttons, built once at start-up, and the screens that show them.
#pragma once
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/formats/TextureImage.h"

#include "ui/GUI_Button.h"

// The menu buttons 1 to 59; the index is a button's identity and its drawing order. Indices
// that no row of the table sets up (57, 58) hold blank buttons that are never enabled.
class ButtonTable {
public:
    static constexpr int32_t kFirst = 1;
    static constexpr int32_t kLast = 59;

    // Throws std::out_of_range outside 1..59.
    GUI_Button& operator[](int32_t index) { return buttons_.at(static_cast<size_t>(index - kFirst)); }
    // Releases every button and its pictures.
    void Clear() { buttons_.fill(GUI_Button{}); }

private:
    std::array<GUI_Button, kLast - kFirst + 1> buttons_;
};

extern ButtonTable gButtons;
extern int32_t gTabIndex;      // TabIndex of the button with the keyboard focus
extern int32_t gTabMax;        // highest TabIndex on the current screen
extern int16_t gZone;          // the zone chosen, 1 to 6
extern int16_t gZoneFirstLevel;
extern int16_t gZoneLastLevel;

namespace GUI {

// Loads and places every menu button. A missing or damaged menu picture stops the build at
// that entry: it is logged and shown in a message naming the file, and the result is false.
bool InitGUI();
// The pictures of every button, as InitGUI loads them, and the main menu's background: what the
// menus' start-up loads.
std::vector<d3d::PictureRequest> StartUpPictures();
// Rebuilds every button's quad for the GUI offsets of a new video mode.
void OnChangeVideoModeAllButtons();
// Takes the highlight off every button.
void ClearMouseOver();
void DisableAllButtons();
void ResetTabIndices();

// Lays out the screen of the current game state. Direction: 0 plainly, 1 previous level,
// 2 next level, 3 back to the level select from a level.
void ShowScreen(uint8_t Direction);
// Pointer events in back-buffer pixels, outside play.
void MouseClickButtons(float X, float Y);
void MouseMoveButtons(float X, float Y);

// Zone A on the level-select screen, showing its first level. Zone A holds the first ten
// levels, or as many as are loaded; without any level nothing happens and false is returned.
bool ChooseZoneA();
// The main menu's web-site choice: opens the read-me beside the program.
void OpenWebSite();
// Names the read-me in a message once it is known that nothing could show it; every frame.
// True while that is not yet known.
bool WatchWebSite();

// What a frame shows, in a form that is cheap to take and compare: the game state, the
// enabled buttons, the ones showing their rollover picture, and a count of every other change
// to what a frame shows (a layout, a text, a button placed anew, animated textures moving on).
// Outside play, a frame whose picture equals that of the frame on screen would look the same.
struct Picture {
    int16_t State = 0;
    uint64_t Enabled = 0;
    uint64_t Rolledover = 0;
    uint64_t Changes = 0;
    bool operator==(const Picture&) const = default;
};
static_assert(ButtonTable::kLast < std::numeric_limits<decltype(Picture::Enabled)>::digits,
              "every button needs a bit of the picture's masks");
Picture CurrentPicture();
// Counts a change to what a frame shows that the picture's flags do not hold.
void PictureChanged();

}  // namespace GUI
