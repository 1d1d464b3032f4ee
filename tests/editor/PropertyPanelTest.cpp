// The property panel: what it shows and enables for each kind of selection, and what its
// controls change.
#include <gtest/gtest.h>

#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "shared/DeviceAndCamera.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/editor/support/TrackLooks.h"
#include "world/TrackObjects.h"

namespace {

// What the panel enables: direction, Rotate Ramp, both stretchers, loop.
struct Enabled {
    bool direction, rotate, top, side, loop;
    bool operator==(const Enabled&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Enabled& e) {
    return out << "direction " << e.direction << " rotate " << e.rotate << " top " << e.top << " side " << e.side
               << " loop " << e.loop;
}

Enabled PanelEnables() {
    return {frmMain.cmbo_Direction.Enabled, frmMain.cmd_ramp.Enabled, frmMain.Combo1.Enabled, frmMain.Combo2.Enabled,
            frmMain.Check_Loop.Enabled};
}

// Width, height, depth, X, Y, Z as the text boxes show them.
std::vector<std::string> PanelTexts() {
    return {frmMain.txt_width.Text, frmMain.txt_height.Text, frmMain.txt_depth.Text,
            frmMain.txt_X.Text,     frmMain.txt_Y.Text,      frmMain.txt_Z.Text};
}

}  // namespace

class PropertyPanel : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    clsMovingPlatform& InsertPlatform() {
        frmMain.mnu_MovingPlatform_Click();
        return gMovingPlatforms[static_cast<size_t>(gPlatformCount)];
    }
    EditorTestBed bed;
};

TEST_F(PropertyPanel, EachKindEnablesItsOwnControls) {
    // The new track's plain block.
    EXPECT_EQ(PanelEnables(), (Enabled{false, false, true, true, false}));
    EXPECT_EQ(PanelTexts(), (std::vector<std::string>{"2", "1", "2", "0", "0", "0"}));

    frmMain.mnu_BouncePad_Click();  // a special block shows its repeats in disabled lists
    EXPECT_EQ(PanelEnables(), (Enabled{false, false, false, false, false}));
    EXPECT_EQ(frmMain.Combo1.ListIndex, 1);
    EXPECT_EQ(frmMain.Combo2.ListIndex, 0);

    frmMain.mnu_Ramp_Click();
    EXPECT_EQ(PanelEnables(), (Enabled{false, true, false, false, false}));

    frmMain.mnu_Star_Click();
    EXPECT_EQ(PanelEnables(), (Enabled{false, false, false, false, false}));
    EXPECT_EQ(PanelTexts(), (std::vector<std::string>{"1", "1", "1", "0", "1", "1"}));

    clsMovingPlatform& platform = InsertPlatform();  // pauses the platforms
    EXPECT_EQ(PanelEnables(), (Enabled{true, false, true, true, true}));
    frmMain.cmd_pause_Click();  // running again: no refresh until the next one
    EXPECT_TRUE(frmMain.cmbo_Direction.Enabled);
    selection::ShowSelection();
    EXPECT_EQ(PanelEnables(), (Enabled{false, false, true, true, true}));
    EXPECT_EQ(frmMain.Check_Loop.Value, 1);
    platform.Mdir(2);
    platform.Mspeed(7);
    platform.Mdist(3);
    selection::ShowSelection();
    EXPECT_EQ(frmMain.cmbo_Direction.ListIndex, 0);  // "Left"
    EXPECT_EQ(frmMain.txt_speed.Text, "7");
    EXPECT_EQ(frmMain.txt_distance.Text, "3");

    gHasSelection = false;  // nothing: unit sizes at the origin; speed and distance stay
    selection::ShowSelection();
    EXPECT_EQ(PanelEnables(), (Enabled{false, false, false, false, false}));
    EXPECT_EQ(PanelTexts(), (std::vector<std::string>{"1", "1", "1", "0", "0", "0"}));
    EXPECT_EQ(frmMain.UpDown_speed.Value, 7);
}

TEST_F(PropertyPanel, PositionsShowRoundedToTheEvenUnit) {
    gBlocks[0].Xpos(2.5f);
    gBlocks[0].Ypos(3.5f);
    gBlocks[0].scaleX(1.5f);
    selection::ShowSelection();
    EXPECT_EQ(frmMain.UpDownX.Value, 2);
    EXPECT_EQ(frmMain.txt_X.Text, "2");
    EXPECT_EQ(frmMain.UpDownY.Value, 4);
    EXPECT_EQ(frmMain.txt_Y.Text, "4");
    EXPECT_EQ(frmMain.txt_width.Text, "2");
}

TEST_F(PropertyPanel, ValuesBeyondTheControlsShowAtTheirLimitsAndStayInTheObject) {
    // As a track file may hold them.
    clsblock& block = gBlocks[0];
    block.Xpos(80.4f);
    block.Zpos(4000);
    block.scaleY(55);
    block.AlignTexureCoords(0, 9);
    selection::ShowSelection();
    EXPECT_EQ(frmMain.UpDownX.Value, 50);
    EXPECT_EQ(frmMain.txt_X.Text, "50");
    EXPECT_EQ(frmMain.UpDownZ.Value, 2500);
    EXPECT_EQ(frmMain.UpDown1.Value, 40);
    EXPECT_EQ(frmMain.Combo1.ListIndex, 5);  // "5x"
    EXPECT_EQ(block.Xpos(), 80.4f);
    EXPECT_EQ(block.Zpos(), 4000);
    EXPECT_EQ(block.scaleY(), 55.0f);
    EXPECT_EQ(block.ScaleTextureTop(), 9);

    block.Xpos(-1e30f);
    selection::ShowSelection();
    EXPECT_EQ(frmMain.UpDownX.Value, -50);

    clsMovingPlatform& platform = InsertPlatform();
    platform.Mspeed(200);
    platform.Mdir(1);  // a direction the list has no entry for
    selection::ShowSelection();
    EXPECT_EQ(frmMain.UpDown_speed.Value, 20);
    EXPECT_EQ(frmMain.txt_speed.Text, "20");
    EXPECT_EQ(frmMain.cmbo_Direction.ListIndex, -1);
    EXPECT_EQ(platform.Mspeed(), 200);
    EXPECT_EQ(platform.Mdir(), 1);
}

TEST_F(PropertyPanel, SpeedAndDistanceChangeOnlyWhilePausedAndGoBackOtherwise) {
    clsMovingPlatform& platform = InsertPlatform();
    frmMain.cmd_pause_Click();  // running
    frmMain.UpDown_speed.StepUp();
    frmMain.UpDown_speed_UpClick();
    frmMain.UpDown_distance.StepDown();
    frmMain.UpDown_distance_DownClick();
    const std::string pauseFirst = "You must pause the moving platforms before you can alter them";
    EXPECT_EQ(bed.messages, std::vector<std::string>(2, pauseFirst));
    EXPECT_EQ(platform.Mspeed(), 5);
    EXPECT_EQ(platform.Mdist(), 5);
    EXPECT_EQ(frmMain.UpDown_speed.Value, 5);  // the controls show the platform again
    EXPECT_EQ(frmMain.UpDown_distance.Value, 5);

    frmMain.cmd_pause_Click();  // paused
    frmMain.UpDown_speed.StepUp();
    frmMain.UpDown_speed_UpClick();
    frmMain.UpDown_distance.StepDown();
    frmMain.UpDown_distance_DownClick();
    EXPECT_EQ(platform.Mspeed(), 6);
    EXPECT_EQ(frmMain.txt_speed.Text, "6");
    EXPECT_EQ(platform.Mdist(), 4);
    EXPECT_EQ(frmMain.txt_distance.Text, "4");
    EXPECT_EQ(bed.messages.size(), 2u);
}

TEST_F(PropertyPanel, TheLoopBoxChangesOnlyWhilePausedAndGoesBackSilently) {
    clsMovingPlatform& platform = InsertPlatform();
    frmMain.cmd_pause_Click();  // running
    frmMain.Check_Loop.Value = 0;  // the user's click
    frmMain.Check_Loop_Click();
    EXPECT_TRUE(platform.MloopBack());
    EXPECT_EQ(frmMain.Check_Loop.Value, 1);
    EXPECT_TRUE(bed.messages.empty());

    frmMain.cmd_pause_Click();
    frmMain.Check_Loop.Value = 0;
    frmMain.Check_Loop_Click();
    EXPECT_FALSE(platform.MloopBack());
}

TEST_F(PropertyPanel, TheDirectionListTurnsThePlatformWhateverThePause) {
    clsMovingPlatform& platform = InsertPlatform();
    frmMain.cmd_pause_Click();
    frmMain.cmbo_Direction.ListIndex = 0;
    frmMain.cmbo_Direction_Click();
    EXPECT_EQ(platform.Mdir(), 2);
    EXPECT_EQ(platform.GetinitalMDir(), 2);
}

TEST_F(PropertyPanel, TheStretchersSetAPlainBlocksOrAPlatformsRepeats) {
    frmMain.Combo1.ListIndex = 3;
    frmMain.Combo1_Click();
    frmMain.Combo2.ListIndex = 2;
    frmMain.Combo2_Click();
    EXPECT_EQ(gBlocks[0].ScaleTextureTop(), 3);
    EXPECT_EQ(gBlocks[0].ScaleTextureSide(), 2);
    EXPECT_EQ(gBlocks[0].GetVertices()[22].Tu, 3.0f);  // the top's far corner

    frmMain.mnu_ice_Click();  // a special block keeps its repeats
    frmMain.Combo1.ListIndex = 4;
    frmMain.Combo1_Click();
    EXPECT_EQ(gBlocks[1].ScaleTextureTop(), 0);

    clsMovingPlatform& platform = InsertPlatform();
    frmMain.cmd_pause_Click();  // running platforms take it as well
    frmMain.Combo2.ListIndex = 5;
    frmMain.Combo2_Click();
    EXPECT_EQ(platform.ScaleTextureSide(), 5);
}

TEST_F(PropertyPanel, TheSizeControlsSetTheirOwnAxis) {
    frmMain.UpDown1.StepUp();
    frmMain.UpDown1_UpClick();
    frmMain.UpDown2.StepDown();
    frmMain.UpDown2_DownClick();
    frmMain.UpDown3.StepUp();
    frmMain.UpDown3_UpClick();
    EXPECT_EQ(gBlocks[0].scaleY(), 2.0f);
    EXPECT_EQ(gBlocks[0].scaleX(), 1.0f);
    EXPECT_EQ(gBlocks[0].scalez(), 3.0f);
    EXPECT_EQ(PanelTexts(), (std::vector<std::string>{"1", "2", "3", "0", "0", "0"}));
    EXPECT_TRUE(Highlighted(gBlocks[0]));

    frmMain.mnu_turbo_Click();  // refused: the control shows the block's own size again
    frmMain.UpDown1.StepUp();
    frmMain.UpDown1_UpClick();
    EXPECT_EQ(frmMain.UpDown1.Value, 1);
    EXPECT_EQ(frmMain.txt_height.Text, "1");
    EXPECT_EQ(bed.messages, std::vector<std::string>{"This block type cannot be resized"});
}

TEST_F(PropertyPanel, ThePositionControlsMoveByOneUnitWhateverTheyShow) {
    frmMain.UpDownX.Value = 30;  // not where the block is
    frmMain.UpDownX_UpClick();
    frmMain.UpDownY_UpClick();
    frmMain.UpDownZ_UpClick();
    frmMain.UpDownZ_UpClick();
    frmMain.UpDownX_DownClick();
    frmMain.UpDownX_DownClick();
    EXPECT_EQ(gBlocks[0].Xpos(), -1.0f);
    EXPECT_EQ(gBlocks[0].Ypos(), 1.0f);
    EXPECT_EQ(gBlocks[0].Zpos(), 2);
    EXPECT_EQ(PanelTexts(), (std::vector<std::string>{"2", "1", "2", "-1", "1", "2"}));
    frmMain.UpDownY_DownClick();
    frmMain.UpDownZ_DownClick();
    EXPECT_EQ(gBlocks[0].Ypos(), 0.0f);
    EXPECT_EQ(gBlocks[0].Zpos(), 1);

    gHasSelection = false;
    frmMain.UpDownX_UpClick();
    frmMain.UpDown2.StepUp();
    frmMain.UpDown2_UpClick();
    EXPECT_EQ(gBlocks[0].Xpos(), -1.0f);
    EXPECT_EQ(gBlocks[0].scaleX(), 2.0f);
}

TEST_F(PropertyPanel, PauseTwiceResetsEveryPlatformTwiceAndLetsThemRunAgain) {
    InsertPlatform();
    InsertPlatform();
    clsMovingPlatform& first = gMovingPlatforms[0];
    frmMain.cmd_pause_Click();  // both run
    const int focusBefore = bed.host.focusRequests;
    for (int i = 0; i < 30; ++i) frmMain.MovePlatforms();
    EXPECT_GT(first.Xpos(), 0.1f);

    frmMain.cmd_pause_Click();
    EXPECT_TRUE(gPlatformsPaused);
    EXPECT_EQ(frmMain.cmd_pause.Caption, "UnPause Platforms");
    EXPECT_EQ(first.Xpos(), 0.0f);  // back where it was placed
    EXPECT_EQ(first.GetCollisionPlane(1).D, 0.0f);  // and so are its planes
    first.Xpos(0.5f);
    frmMain.cmd_pause_Click();
    EXPECT_FALSE(gPlatformsPaused);
    EXPECT_EQ(frmMain.cmd_pause.Caption, "Pause Platforms");
    EXPECT_EQ(first.Xpos(), 0.5f);
    EXPECT_EQ(bed.host.focusRequests, focusBefore + 2);

    // The caption decides, whatever the flag says.
    gPlatformsPaused = true;
    frmMain.cmd_pause_Click();
    EXPECT_TRUE(gPlatformsPaused);
}

TEST_F(PropertyPanel, RotateRampTurnsTheSelectedRampAndGivesTheFocusBack) {
    frmMain.mnu_Ramp_Click();
    const int focusBefore = bed.host.focusRequests;
    frmMain.cmd_ramp_Click();
    EXPECT_EQ(gRamps[0].GetRotation(), 1);
    EXPECT_FALSE(Highlighted(gRamps[0]));  // the turn rebuilds the wedge in its own colours
    frmMain.mnu_block_Click();
    frmMain.cmd_ramp_Click();
    EXPECT_EQ(gRamps[0].GetRotation(), 1);
    EXPECT_EQ(bed.host.focusRequests, focusBefore + 2);
}

TEST_F(PropertyPanel, PlatformAndRampControlsActOnlyOnASelectionThatExists) {
    clsMovingPlatform& platform = InsertPlatform();
    frmMain.mnu_Ramp_Click();
    // A click that hit nothing: the kind and index of the last selection stay, unselected.
    gSelectedType = KIND_PLATFORM;
    gSelectedIndex = 0;
    gHasSelection = false;
    frmMain.UpDown_speed.Value = 9;
    frmMain.UpDown_speed_UpClick();
    frmMain.UpDown_distance.Value = 9;
    frmMain.UpDown_distance_UpClick();
    frmMain.Check_Loop.Value = 0;
    frmMain.Check_Loop_Click();
    frmMain.cmbo_Direction.ListIndex = 0;
    frmMain.cmbo_Direction_Click();
    EXPECT_EQ(platform.Mspeed(), 5);
    EXPECT_EQ(platform.Mdist(), 5);
    EXPECT_TRUE(platform.MloopBack());
    EXPECT_EQ(platform.Mdir(), 3);
    gSelectedType = KIND_RAMP;
    frmMain.cmd_ramp_Click();
    EXPECT_EQ(gRamps[0].GetRotation(), 0);

    // An index past the end of its kind, as a delete leaves it.
    gHasSelection = true;
    gSelectedType = KIND_PLATFORM;
    gSelectedIndex = 1;
    frmMain.UpDown_speed_UpClick();
    frmMain.Check_Loop_Click();
    frmMain.cmbo_Direction_Click();
    gSelectedType = KIND_RAMP;
    frmMain.cmd_ramp_Click();
    EXPECT_EQ(platform.Mspeed(), 5);
    EXPECT_EQ(gRamps[0].GetRotation(), 0);
    EXPECT_TRUE(bed.messages.empty());
}

TEST_F(PropertyPanel, TheScrollBarAtItsEndPutsTheCameraAtTheStart) {
    frmMain.VScroll1.Value = frmMain.VScroll1.Max;
    frmMain.VScroll1_Change();
    EXPECT_EQ(gCameraEye.Z, -18.0f);
    EXPECT_EQ(gCameraLookAt.Z, 0.0f);
    frmMain.VScroll1.Value = frmMain.VScroll1.Max - 10;
    frmMain.VScroll1_Change();
    EXPECT_EQ(gCameraEye.Z, -8.0f);
    EXPECT_EQ(gCameraLookAt.Z, 10.0f);

    gEditorReady = false;  // before the first track the bar does nothing
    frmMain.VScroll1.Value = 0;
    frmMain.VScroll1_Change();
    EXPECT_EQ(gCameraEye.Z, -8.0f);
}
