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
        {&mnu_edit,
         {{&mnu_copy, on(&MainForm::mnu_copy_Click)},
          {&mnu_cut, on(&MainForm::mnu_cut_Click)},
          {&mnu_Paste, on(&MainForm::mnu_Paste_Click)}}},
        {&mnu_mode,
         {{&mnu_playmode, on(&MainForm::mnu_playmode_Click)}, {&mnu_editmode, on(&MainForm::mnu_editmode_Click)}}},
        {&mnu_insert,
         {{&mnu_block, on(&MainForm::mnu_block_Click)},
          {&mnu_MovingPlatform, on(&MainForm::mnu_MovingPlatform_Click)},
          {&mnu_instantkill, on(&MainForm::mnu_instantkill_Click)},
          {&mnu_fallingBlock, on(&MainForm::mnu_fallingBlock_Click)},
          {&mnu_ice, on(&MainForm::mnu_ice_Click)},
          {&mnu_Ramp, on(&MainForm::mnu_Ramp_Click)},
          {&mnu_Endlevel, on(&MainForm::mnu_Endlevel_Click)},
          {&mnu_BouncePad, on(&MainForm::mnu_BouncePad_Click)},
          {&mnu_turbo, on(&MainForm::mnu_turbo_Click)},
          {&mnu_building, on(&MainForm::mnu_building_Click)},
          {&mnu_Star, on(&MainForm::mnu_Star_Click)}}},
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
    events.Spins = {
        {&UpDown1, on(&MainForm::UpDown1_UpClick), on(&MainForm::UpDown1_DownClick)},
        {&UpDown2, on(&MainForm::UpDown2_UpClick), on(&MainForm::UpDown2_DownClick)},
        {&UpDown3, on(&MainForm::UpDown3_UpClick), on(&MainForm::UpDown3_DownClick)},
        {&UpDownX, on(&MainForm::UpDownX_UpClick), on(&MainForm::UpDownX_DownClick)},
        {&UpDownY, on(&MainForm::UpDownY_UpClick), on(&MainForm::UpDownY_DownClick)},
        {&UpDownZ, on(&MainForm::UpDownZ_UpClick), on(&MainForm::UpDownZ_DownClick)},
        {&UpDown_speed, on(&MainForm::UpDown_speed_UpClick), on(&MainForm::UpDown_speed_DownClick)},
        {&UpDown_distance, on(&MainForm::UpDown_distance_UpClick), on(&MainForm::UpDown_distance_DownClick)}};
    events.Lists = {{&Combo1, on(&MainForm::Combo1_Click)},
                    {&Combo2, on(&MainForm::Combo2_Click)},
                    {&cmbo_Direction, on(&MainForm::cmbo_Direction_Click)}};
    events.Buttons = {{&cmd_ramp, on(&MainForm::cmd_ramp_Click)}, {&cmd_pause, on(&MainForm::cmd_pause_Click)}};
    events.Check_Loop_Click = on(&MainForm::Check_Loop_Click);
    events.VScroll1_Change = on(&MainForm::VScroll1_Change);
    events.File1_DblClick = on(&MainForm::File1_DblClick);
    events.viewport_MouseDown = [this](int16_t button, int16_t shift, float x, float y) {
        viewport_MouseDown(button, shift, x, y);
    };
    events.Form_KeyDown = [this](int16_t& KeyCode, int16_t Shift, bool AutoRepeat) {
        Form_KeyDown(KeyCode, Shift, AutoRepeat);
    };
    events.Form_QueryUnload = [this](bool& Cancel) { Form_QueryUnload(Cancel); };
    events.Form_Unload = on(&MainForm::Form_Unload);
    return events;
}

}  // namespace editor
