// The main loop's gate: a frame only when more than 40.0 ms have passed since the last frame
// began, each frame polling, drawing and presenting once.
#include <gtest/gtest.h>

#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "tests/editor/support/EditorTestBed.h"

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
    EXPECT_EQ(Presents(bed), 2u);
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
