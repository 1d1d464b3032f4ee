// The property panel's refresh from the selection.
#include <string>

#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "shared/Rounding.h"
#include "world/TrackObjects.h"

namespace selection {
namespace {

using editor::ComboBox;
using editor::SpinControl;
using editor::TextBox;

// A value shown at the control's nearest whole number (halves to even), kept inside its range:
// a track file may hold sizes and positions the panel cannot reach.
void Show(SpinControl& spin, double value) {
    spin.Value = value >= spin.Max ? spin.Max : value > spin.Min ? RoundHalfEven<int32_t>(value) : spin.Min;
}

void ShowEntry(ComboBox& list, int value) {
    const int last = static_cast<int>(list.Items.size()) - 1;
    list.ListIndex = static_cast<int16_t>(value < 0 ? 0 : value > last ? last : value);
}

void ShowValueOf(TextBox& text, const SpinControl& spin) { text.Text = std::to_string(spin.Value); }

void ShowSizeAndPlace(double width, double height, double depth, double x, double y, double z) {
    Show(frmMain.UpDown1, height);
    Show(frmMain.UpDown2, width);
    Show(frmMain.UpDown3, depth);
    Show(frmMain.UpDownX, x);
    Show(frmMain.UpDownY, y);
    Show(frmMain.UpDownZ, z);
}

void ShowRepeats(const TrackBox& box) {
    ShowEntry(frmMain.Combo1, box.ScaleTextureTop());
    ShowEntry(frmMain.Combo2, box.ScaleTextureSide());
}

void ShowBlock(clsblock& block) {
    ShowSizeAndPlace(block.scaleX(), block.scaleY(), block.scalez(), block.Xpos(), block.Ypos(), block.Zpos());
    block.SelectBlock();
    // Only a plain block's texture repeats can be changed; every block shows its own.
    const bool plain = block.changeactioncode() == 0;
    frmMain.Combo1.Enabled = plain;
    frmMain.Combo2.Enabled = plain;
    ShowRepeats(block);
}

void ShowRamp(clsRamp& ramp) {
    ShowSizeAndPlace(ramp.scaleX(), ramp.scaleY(), ramp.scalez(), ramp.Xpos(), ramp.Ypos(), ramp.Zpos());
    ramp.SelectRamp();
    frmMain.cmd_ramp.Enabled = true;
}

void ShowPlatform(clsMovingPlatform& platform) {
    ShowSizeAndPlace(platform.scaleX(), platform.scaleY(), platform.scalez(), platform.Xpos(), platform.Ypos(),
                     platform.Zpos());
    platform.SelectBlock();
    // The direction the user gave it, not the one it runs in now; any other stored byte shows
    // no entry.
    const int direction = platform.GetinitalMDir() - clsMovingPlatform::kTowardsMinusX;
    frmMain.cmbo_Direction.ListIndex = static_cast<int16_t>(direction == 0 || direction == 1 ? direction : -1);
    Show(frmMain.UpDown_distance, platform.Mdist());
    Show(frmMain.UpDown_speed, platform.Mspeed());
    ShowValueOf(frmMain.txt_distance, frmMain.UpDown_distance);
    ShowValueOf(frmMain.txt_speed, frmMain.UpDown_speed);
    if (gPlatformsPaused) frmMain.cmbo_Direction.Enabled = true;
    frmMain.Check_Loop.Value = platform.MloopBack() ? 1 : 0;
    frmMain.Combo1.Enabled = true;
    frmMain.Combo2.Enabled = true;
    ShowRepeats(platform);
    frmMain.Check_Loop.Enabled = true;
}

void ShowStar(clsStar& star) {
    ShowSizeAndPlace(1, 1, 1, star.Xpos(), star.Ypos(), star.Zpos());
    star.selectstar();
}

}  // namespace

void ShowSelection() {
    frmMain.cmbo_Direction.Enabled = false;
    frmMain.cmd_ramp.Enabled = false;
    frmMain.Combo1.Enabled = false;
    frmMain.Combo2.Enabled = false;
    frmMain.Check_Loop.Enabled = false;
    if (!gHasSelection) {
        ShowSizeAndPlace(1, 1, 1, 0, 0, 0);
    } else if (clsblock* block = SelectedBlock()) {
        ShowBlock(*block);
    } else if (clsRamp* ramp = SelectedRamp()) {
        ShowRamp(*ramp);
    } else if (clsMovingPlatform* platform = SelectedPlatform()) {
        ShowPlatform(*platform);
    } else if (clsStar* star = SelectedStar()) {
        ShowStar(*star);
    }
    ShowValueOf(frmMain.txt_X, frmMain.UpDownX);
    ShowValueOf(frmMain.txt_Y, frmMain.UpDownY);
    ShowValueOf(frmMain.txt_Z, frmMain.UpDownZ);
    ShowValueOf(frmMain.txt_height, frmMain.UpDown1);
    ShowValueOf(frmMain.txt_width, frmMain.UpDown2);
    ShowValueOf(frmMain.txt_depth, frmMain.UpDown3);
}

}  // namespace selection
