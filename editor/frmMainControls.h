// Every control and menu of the editor's main window by its name, with the captions, lists,
// values and ranges it has when the window opens. Where each control sits is the Qt layer's
// business; the panel issue's handlers read and write these.
#pragma once
#include <string>
#include <vector>

#include "editor/Controls.h"

namespace editor {

inline const std::vector<std::string> kStretcherEntries = {"Match Size", "1x", "2x", "3x", "4x", "5x"};

struct frmMainControls {
    std::string Caption = "Velorune Level Editor";
    bool Visible = false;

    // The drawing area with the camera's scroll bar at its right.
    PictureBox viewport{.ScaleWidth = 601, .ScaleHeight = 457};
    ScrollBar VScroll1{.Value = 0, .Min = 0, .Max = 1000};

    // The texture list.
    Label Label4{"Texture Painter"};
    FileListBox File1{.Pattern = "*.bmp"};

    // The property panel (Frame1).
    Label Label3{"Object Properties"};
    Label Label2{"Width"};
    TextBox txt_width{"1"};
    SpinControl UpDown2{.Value = 1, .Min = 1, .Max = 40};
    Label Label1{"Height"};
    TextBox txt_height{"1"};
    SpinControl UpDown1{.Value = 1, .Min = 1, .Max = 40};
    Label Label14{"Depth"};
    TextBox txt_depth{"1"};
    SpinControl UpDown3{.Value = 1, .Min = 1, .Max = 400};
    Label Label7{"X"};
    TextBox txt_X{"0"};
    SpinControl UpDownX{.Value = 0, .Min = -50, .Max = 50};
    Label Label8{"Y"};
    TextBox txt_Y{"0"};
    SpinControl UpDownY{.Value = 0, .Min = 0, .Max = 50};
    Label Label9{"Z"};
    TextBox txt_Z{"0"};
    SpinControl UpDownZ{.Value = 0, .Min = 0, .Max = 2500};
    Label Label13{"Texture Stretcher Top Face"};
    ComboBox Combo1{.Items = kStretcherEntries, .ListIndex = 0};
    Label Label15{"Texture Stretcher Side Face"};
    ComboBox Combo2{.Items = kStretcherEntries, .ListIndex = 0};
    Label Label6{"Ramp Properties"};
    CommandButton cmd_ramp{"Rotate Ramp"};
    Label Label5{"Moving Platform Properties"};
    Label Label10{"Speed"};
    TextBox txt_speed{"5"};
    SpinControl UpDown_speed{.Value = 5, .Min = 0, .Max = 20};
    Label Label11{"Distance"};
    TextBox txt_distance{"5"};
    SpinControl UpDown_distance{.Value = 5, .Min = 0, .Max = 10};
    Label Label12{"Direction"};
    ComboBox cmbo_Direction{.Items = {"Left", "Right"}, .ListIndex = 0};
    CheckBox Check_Loop{.Caption = "Continous Loop"};
    CommandButton cmd_pause{"Pause Platforms"};

    // The menus.
    MenuItem mnu_File{"File"};
    MenuItem mnu_New{"New", "F2"};
    MenuItem mnu_load{"Open Track", "Ctrl+O"};
    MenuItem mnu_save{"Save Track", "Ctrl+S"};
    MenuItem mnu_saveAS{"Save Track As"};
    MenuItem mnu_Quit{"Quit", "Ctrl+Q"};
    MenuItem mnu_edit{"Edit"};
    MenuItem mnu_copy{"Copy", "Ctrl+C"};
    MenuItem mnu_cut{"Cut", "Ctrl+X"};
    MenuItem mnu_Paste{"Paste", "Ctrl+V"};
    MenuItem mnu_mode{"Mode"};
    MenuItem mnu_playmode{"Play Mode!", "F3"};
    MenuItem mnu_editmode{"Edit Mode", "F4", true};
    MenuItem mnu_insert{"Insert"};
    MenuItem mnu_block{"(Spacebar) New Block"};
    MenuItem mnu_MovingPlatform{"Moving Platform", "Ctrl+M"};
    MenuItem mnu_instantkill{"Instant Kill Block", "Ctrl+K"};
    MenuItem mnu_fallingBlock{"Falling Block", "Ctrl+F"};
    MenuItem mnu_ice{"Ice Block", "Ctrl+I"};
    MenuItem mnu_Ramp{"Ramp", "Ctrl+R"};
    MenuItem mnu_Endlevel{"Win Level", "Ctrl+W"};
    MenuItem mnu_BouncePad{"Jump Pad", "Ctrl+J"};
    MenuItem mnu_turbo{"Turbo Pad", "Ctrl+T"};
    MenuItem mnu_building{"Building", "Ctrl+B"};
    MenuItem mnu_Star{"Star", "F5"};
    MenuItem mnu_background{"Background"};
    // mnu_background1 to mnu_background6 at 0 to 5.
    MenuItem mnu_backgrounds[6] = {{"Background 1"}, {"Background 2"}, {"Background 3"},
                                   {"Background 4"}, {"Background 5"}, {"Background 6"}};
    MenuItem mnu_Gravity{"Gravity"};
    MenuItem mnu_normal{"Normal", "F11"};
    MenuItem mnu_low{"Low", "F12"};
    MenuItem mnu_help{"Help"};
    MenuItem mnu_about{"About", "Ctrl+A"};
    MenuItem mnu_Shortcut{"How to Use", "F1"};
};

}  // namespace editor
