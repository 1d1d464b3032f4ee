// The handlers of the property panel, the texture list and the camera's scroll bar. Each
// answers one action of the user; the spin controls have already stepped (within their
// range) when their handlers run, and a click at a limit still runs them.
#include <algorithm>
#include <string>

#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "world/TrackObjects.h"

namespace editor {
namespace {

// A platform's speed or distance from its spin control; while the platforms run the change is
// refused and the control goes back to the platform's value.
void SetPlatformByte(SpinControl& spin, TextBox& text, uint8_t (clsMovingPlatform::*get)() const,
                     void (clsMovingPlatform::*set)(uint8_t)) {
    clsMovingPlatform* platform = selection::SelectedPlatform();
    if (!platform) return;
    if (!selection::PlatformsPausedOrSaySo()) {
        spin.Value = std::clamp<int32_t>((platform->*get)(), spin.Min, spin.Max);
        return;
    }
    (platform->*set)(static_cast<uint8_t>(spin.Value));
    text.Text = std::to_string(spin.Value);
}

// Sizes are absolute: the spin control's value on its own axis, 0 (unchanged) on the others.
// The resize ends with the refresh, so the text box shows the size the object really took.
void ResizeFrom(const SpinControl& spin, TextBox& text, int32_t x, int32_t y, int32_t z) {
    if (!gHasSelection) return;
    selection::ScaleSelected(x, y, z);
    text.Text = std::to_string(spin.Value);
}

void MoveByOne(int32_t dx, int32_t dy, int32_t dz) {
    if (gHasSelection) selection::MoveSelected(dx, dy, dz);
}

// A texture stretcher: a plain block's or a platform's repeat of its top (side 0) or sides (1).
void Stretch(int16_t side, const ComboBox& list) {
    if (list.ListIndex < 0) return;
    if (clsblock* block = selection::SelectedBlock()) {
        if (block->changeactioncode() == 0) block->AlignTexureCoords(side, list.ListIndex);
    }
    if (clsMovingPlatform* platform = selection::SelectedPlatform()) platform->AlignTexureCoords(side, list.ListIndex);
}

}  // namespace

void MainForm::File1_DblClick() {
    if (gHasSelection && gEditorMode == MODE_EDIT) selection::TextureSelected(File1.List(File1.ListIndex));
}

void MainForm::Check_Loop_Click() {
    clsMovingPlatform* platform = selection::SelectedPlatform();
    if (!platform) return;
    if (gPlatformsPaused)
        platform->MloopBack(Check_Loop.Value == 1);
    else
        Check_Loop.Value = platform->MloopBack() ? 1 : 0;  // refused: the box shows the platform again
}

void MainForm::cmbo_Direction_Click() {
    clsMovingPlatform* platform = selection::SelectedPlatform();
    if (platform && cmbo_Direction.ListIndex >= 0)
        platform->Mdir(static_cast<uint8_t>(cmbo_Direction.ListIndex + clsMovingPlatform::kTowardsMinusX));
}

// The caption says what a click does, and so decides which way it goes.
void MainForm::cmd_pause_Click() {
    if (cmd_pause.Caption != "Pause Platforms") {
        cmd_pause.Caption = "Pause Platforms";
        gPlatformsPaused = false;
    } else {
        cmd_pause.Caption = "UnPause Platforms";
        gPlatformsPaused = true;
    }
    selection::ResetMovingPlatforms();
    host_->FocusMainWindow();  // the keys edit the track again
}

void MainForm::cmd_ramp_Click() {
    if (clsRamp* ramp = selection::SelectedRamp()) ramp->rotate();
    host_->FocusMainWindow();
}

void MainForm::Combo1_Click() { Stretch(0, Combo1); }
void MainForm::Combo2_Click() { Stretch(1, Combo2); }

void MainForm::UpDown_distance_DownClick() {
    SetPlatformByte(UpDown_distance, txt_distance, &clsMovingPlatform::Mdist, &clsMovingPlatform::Mdist);
}
void MainForm::UpDown_distance_UpClick() { UpDown_distance_DownClick(); }

void MainForm::UpDown_speed_DownClick() {
    SetPlatformByte(UpDown_speed, txt_speed, &clsMovingPlatform::Mspeed, &clsMovingPlatform::Mspeed);
}
void MainForm::UpDown_speed_UpClick() { UpDown_speed_DownClick(); }

void MainForm::UpDown1_DownClick() { ResizeFrom(UpDown1, txt_height, 0, UpDown1.Value, 0); }
void MainForm::UpDown1_UpClick() { UpDown1_DownClick(); }
void MainForm::UpDown2_DownClick() { ResizeFrom(UpDown2, txt_width, UpDown2.Value, 0, 0); }
void MainForm::UpDown2_UpClick() { UpDown2_DownClick(); }
void MainForm::UpDown3_DownClick() { ResizeFrom(UpDown3, txt_depth, 0, 0, UpDown3.Value); }
void MainForm::UpDown3_UpClick() { UpDown3_DownClick(); }

// The position controls move the selection by one unit whatever they show; the refresh then
// shows where it went.
void MainForm::UpDownX_DownClick() { MoveByOne(-1, 0, 0); }
void MainForm::UpDownX_UpClick() { MoveByOne(1, 0, 0); }
void MainForm::UpDownY_DownClick() { MoveByOne(0, -1, 0); }
void MainForm::UpDownY_UpClick() { MoveByOne(0, 1, 0); }
void MainForm::UpDownZ_DownClick() { MoveByOne(0, 0, -1); }
void MainForm::UpDownZ_UpClick() { MoveByOne(0, 0, 1); }

void MainForm::VScroll1_Change() {
    if (!gEditorReady) return;
    const auto eyeZ = static_cast<int16_t>((VScroll1.Max - VScroll1.Value) - 18);
    gCameraEye.Z = eyeZ;
    gCameraLookAt.Z = static_cast<float>(eyeZ + 18.0);
    DirectX::SetupMatrices();
}

}  // namespace editor
