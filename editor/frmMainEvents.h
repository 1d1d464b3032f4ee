// Which handler each control of the main window runs, for the Qt layer to connect to the
// widgets and for tests to fire. A handler not built yet is empty: its event changes only
// the control itself.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "editor/Controls.h"

namespace editor {

using Handler = std::function<void()>;

struct MenuEntry {
    MenuItem* Item;
    Handler Click;
};

// A menu of the menu bar: its title and its entries, top to bottom.
struct MenuColumn {
    MenuItem* Title;
    std::vector<MenuEntry> Entries;
};

struct SpinEvents {
    SpinControl* Spin;
    Handler UpClick;
    Handler DownClick;
};

struct ListEvents {
    ComboBox* List;
    Handler Click;  // the user chose an entry; ListIndex already holds it
};

struct ButtonEvents {
    CommandButton* Button;
    Handler Click;
};

struct frmMainEvents {
    std::vector<MenuColumn> Menus;  // left to right
    std::vector<SpinEvents> Spins;
    std::vector<ListEvents> Lists;
    std::vector<ButtonEvents> Buttons;
    Handler Check_Loop_Click;  // Value already toggled
    Handler VScroll1_Change;   // Value already moved by the user
    Handler File1_DblClick;    // ListIndex already on the double-clicked entry
    // Button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x, y in viewport pixels.
    std::function<void(int16_t button, int16_t shift, float x, float y)> viewport_MouseDown;
    // A key went down in the window (frmMain.Form_KeyDown's arguments): key code, modifier
    // mask, auto-repeat. The key code comes back as the handler leaves it.
    std::function<void(int16_t& KeyCode, int16_t Shift, bool AutoRepeat)> Form_KeyDown;
    // The user closes the window: first the question (Cancel set keeps the window), then the unload.
    std::function<void(bool& Cancel)> Form_QueryUnload;
    Handler Form_Unload;
};

}  // namespace editor
