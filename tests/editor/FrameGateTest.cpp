// The main loop's gate: a frame only when more than 40.0 ms have passed since the last frame
// began, each frame polling, and drawing and presenting once unless it would show the same
// picture again.
#include <gtest/gtest.h>

#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "platform/Keyboard.h"
#include "tests/editor/support/EditorTestBed.h"
#include "world/TrackObjects.h"

using Pass = editor::MainForm::Pass;

namespace {

size_t Presents(const EditorTestBed& bed) { return bed.Device().CountOf(d3d::CallKind::Present); }

}  // namespace

TEST(FrameGate, TheFirstPassIsIdleAndExactly40MsIsNotEnough) {
    EditorTestBed bed;
    bed.Start();
    bed.clock.AdvanceMs(500);
    EXPECT_EQ(frmMain.LoopPass(), Pass::Idle);  // the clock had not been read yet
    EXPECT_EQ(Presents(bed), 0u);

    EXPECT_EQ(frmMain.LoopPass(), Pass::Frame);
    EXPECT_EQ(Presents(bed), 1u);
    EXPECT_EQ(gLastCounter, bed.clock.counter);

    bed.clock.AdvanceMs(40);
    EXPECT_EQ(frmMain.LoopPass(), Pass::Idle);  // reads the clock: 40.0 ms since the frame began
    EXPECT_EQ(frmMain.LoopPass(), Pass::Idle);
    bed.clock.counter += 1;
    EXPECT_EQ(frmMain.LoopPass(), Pass::Idle);
    EXPECT_EQ(frmMain.LoopPass(), Pass::Frame);
    EXPECT_EQ(gLastCounter, bed.clock.counter);
}

TEST(FrameGate, TheFirstPictureComesWithoutWaitingAndTheLoopStillBeginsIdle) {
    EditorTestBed bed;
    bed.Start();
    frmMain.DrawFirstPicture();
    EXPECT_EQ(Presents(bed), 1u);
    EXPECT_EQ(frmMain.LoopPass(), Pass::Idle);
    bed.RunFrames(1);
    EXPECT_EQ(Presents(bed), 1u);  // the same picture is not drawn again
}

TEST(FrameGate, AFrameDrawsOnceAndIsFollowedByAGatedPass) {
    EditorTestBed bed;
    bed.Start();
    bed.RunFrames(1);
    const auto& device = bed.Device();
    EXPECT_EQ(device.CountOf(d3d::CallKind::Clear), 1u);
    EXPECT_EQ(device.CountOf(d3d::CallKind::BeginScene), 1u);
    EXPECT_EQ(device.CountOf(d3d::CallKind::EndScene), 1u);
    const auto clear = device.CallsOf(d3d::CallKind::Clear).front();
    EXPECT_EQ(clear.State, static_cast<uint32_t>(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER));
    EXPECT_EQ(clear.Value, 0u);
    EXPECT_EQ(clear.Z, 1.0f);
    EXPECT_EQ(frmMain.LoopPass(), Pass::Idle);
    EXPECT_EQ(Presents(bed), 1u);
    // A frame longer than 40 ms is followed by the next at once.
    bed.clock.AdvanceMs(45);
    frmMain.LoopPass();
    EXPECT_EQ(frmMain.LoopPass(), Pass::Frame);
}

TEST(FrameGate, RunningIsLookedAtOnlyAfterAnIdlePass) {
    EditorTestBed bed;
    bed.Start();
    bed.RunFrames(1);
    frmMain.Running = false;
    EXPECT_EQ(frmMain.LoopPass(), Pass::Idle);  // right after a frame: the gate, not Running
    EXPECT_EQ(bed.host.endRequests, 0);
    EXPECT_EQ(frmMain.LoopPass(), Pass::Ended);
    EXPECT_EQ(bed.host.endRequests, 1);
    EXPECT_EQ(gD3DDevice, nullptr);
}

TEST(FrameGate, TellsHowLongUntilTheNextFrameIsDue) {
    EditorTestBed bed;
    bed.Start();
    bed.RunFrames(1);
    EXPECT_EQ(frmMain.MsUntilNextFrame(), 41);
    bed.clock.AdvanceMs(30.5);
    EXPECT_EQ(frmMain.MsUntilNextFrame(), 10);
    bed.clock.AdvanceMs(9.5);
    EXPECT_EQ(frmMain.MsUntilNextFrame(), 1);
    bed.clock.counter += 1;
    EXPECT_EQ(frmMain.MsUntilNextFrame(), 0);
}

TEST(FrameGate, AnIdleTrackDrawsNoFrameUntilSomethingShownChanges) {
    EditorTestBed bed;
    bed.Start();
    bed.RunFrames(1);  // the new track shows
    bed.RunFrames(100);
    EXPECT_EQ(Presents(bed), 1u);

    frmMain.RequestFrame();  // a handler ran
    bed.RunFrames(3);
    EXPECT_EQ(Presents(bed), 2u);

    bed.Key(dinput::DIK_LSHIFT, true);  // the poll moves the camera every frame
    bed.Key(dinput::DIK_UP, true);
    bed.RunFrames(2);
    EXPECT_EQ(Presents(bed), 4u);
    bed.Key(dinput::DIK_UP, false);
    bed.RunFrames(2);
    EXPECT_EQ(Presents(bed), 4u);

    gEditorMode = MODE_PLAY;  // a test run moves on every frame
    bed.RunFrames(2);
    EXPECT_EQ(Presents(bed), 6u);
    gEditorMode = MODE_EDIT;
    bed.RunFrames(3);  // the edit mode's picture once
    EXPECT_EQ(Presents(bed), 7u);
}

TEST(FrameGate, ATrackThatMovesByItselfDrawsEveryFrame) {
    EditorTestBed bed;
    bed.Start();
    frmMain.mnu_MovingPlatform_Click();  // a new platform pauses the platforms
    bed.RunFrames(3);
    EXPECT_EQ(Presents(bed), 1u);
    frmMain.cmd_pause_Click();
    const float start = gMovingPlatforms[0].Xpos();
    bed.RunFrames(3);
    EXPECT_EQ(Presents(bed), 4u);
    EXPECT_NE(gMovingPlatforms[0].Xpos(), start);

    frmMain.cmd_pause_Click();
    frmMain.RequestFrame();
    bed.RunFrames(3);
    EXPECT_EQ(Presents(bed), 5u);
    frmMain.mnu_Star_Click();  // a star spins
    const int32_t angle = gStars[0].GetSpinAngle();
    bed.RunFrames(3);
    EXPECT_EQ(Presents(bed), 8u);
    EXPECT_EQ(gStars[0].GetSpinAngle(), angle + 15);
}
