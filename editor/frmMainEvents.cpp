// The main window's event table: each control with the handlers its events run. A handler
// that a later part of the editor builds is added to its row here; the Qt layer connects
// every row by itself.
#include "editor/frmMain.h"

namespace editor {

frmMainEvents MainForm::Events() {
    auto on = [this](void (MainForm::*handler)()) { return [this, handler] { (this->*handler)(); }; };
    auto background = [this](int entry) { return [this, entry] { mnu_background_Click(entry); }; };

    frmMainEvents events;
    events.Menus = {
        {&mnu_File,
         {{&mnu_New, on(&MainForm::mnu_New_Click)},
          {&mnu_load, on(&MainForm::mnu_load_Click)},
          {&mnu_save, on(&MainForm::mnu_save_Click)},
          {&mnu_saveAS, on(&MainForm::mnu_saveAS_Click)},
          {&mnu_Quit, on(&MainForm::mnu_Quit_Click)}}},
        {&mnu_edit, {{&mnu_copy, {}}, {&mnu_cut, {}}, {&mnu_Paste, {}}}},
        {&mnu_mode, {{&mnu_playmode, {}}, {&mnu_editmode, {}}}},
        {&mnu_insert,
         {{&mnu_block, {}},
          {&mnu_MovingPlatform, {}},
          {&mnu_instantkill, {}},
          {&mnu_fallingBlock, {}},
          {&mnu_ice, {}},
          {&mnu_Ramp, {}},
          {&mnu_Endlevel, {}},
          {&mnu_BouncePad, {}},
          {&mnu_turbo, {}},
          {&mnu_building, {}},
          {&mnu_Star, {}}}},
        {&mnu_background,
         {{&mnu_backgrounds[0], background(1)},
          {&mnu_backgrounds[1], background(2)},
          {&mnu_backgrounds[2], background(3)},
          {&mnu_backgrounds[3], background(4)},
          {&mnu_backgrounds[4], background(5)},
          {&mnu_backgrounds[5], background(6)}}},
        {&mnu_Gravity, {{&mnu_normal, on(&MainForm::mnu_normal_Click)}, {&mnu_low, on(&MainForm::mnu_low_Click)}}},
        {&mnu_help, {{&mnu_about, on(&MainForm::mnu_about_Click)}, {&mnu_Shortcut, on(&MainForm::mnu_Shortcut_Click)}}},
    };
    events.Spins = {{&UpDown1, {}, {}},      {&UpDown2, {}, {}},      {&UpDown3, {}, {}},
                    {&UpDownX, {}, {}},      {&UpDownY, {}, {}},      {&UpDownZ, {}, {}},
                    {&UpDown_speed, {}, {}}, {&UpDown_distance, {}, {}}};
    events.Lists = {{&Combo1, {}}, {&Combo2, {}}, {&cmbo_Direction, {}}};
    events.Buttons = {{&cmd_ramp, {}}, {&cmd_pause, {}}};
    events.VScroll1_Change = on(&MainForm::VScroll1_Change);
    events.Form_Unload = on(&MainForm::Form_Unload);
    return events;
}

}  // namespace editor
