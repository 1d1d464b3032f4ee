// The keyboard poll of every frame in edit mode: Shift with Up or Down moves the camera along
// the track through the scroll bar; a lost event buffer skips the rest of the poll.
#include <gtest/gtest.h>

#include "editor/DirectInput.h"
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "tests/editor/support/EditorTestBed.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"

using namespace dinput;

class KeyboardPoll : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    // One poll, with the keys pressed just before it (their events buffered).
    void PollWith(std::initializer_list<uint8_t> keys) {
        for (uint8_t key : keys) bed.Key(key, true);
        frmMain.PollKeyboard();
    }
    EditorTestBed bed;
};

TEST_F(KeyboardPoll, ShiftUpMovesTheCameraForwardOneUnitAFrame) {
    PollWith({DIK_LSHIFT, DIK_UP});
    EXPECT_EQ(frmMain.VScroll1.Value, 999);
    EXPECT_EQ(gCameraEye.Z, -17.0f);
    EXPECT_EQ(gCameraLookAt.Z, 1.0f);
    frmMain.PollKeyboard();  // still held
    EXPECT_EQ(frmMain.VScroll1.Value, 998);
    EXPECT_EQ(gCameraEye.Z, -16.0f);
    EXPECT_EQ(gCameraEye.Y, 25.0f);  // only Z moves
}

TEST_F(KeyboardPoll, EitherShiftKeyScrollsAndPlainArrowsDoNothingHere) {
    PollWith({DIK_UP});
    EXPECT_EQ(frmMain.VScroll1.Value, 1000);
    bed.Key(DIK_UP, false);
    PollWith({DIK_RSHIFT, DIK_UP});
    EXPECT_EQ(frmMain.VScroll1.Value, 999);
}

TEST_F(KeyboardPoll, ShiftDownAtTheEndOfTheRangeIsRefusedAndThePollGoesOn) {
    PollWith({DIK_LSHIFT, DIK_DOWN});
    EXPECT_EQ(frmMain.VScroll1.Value, 1000);
    EXPECT_EQ(gCameraEye.Z, -18.0f);
    // Up and Down together: up one, then down one.
    bed.Key(DIK_UP, true);
    frmMain.PollKeyboard();
    EXPECT_EQ(frmMain.VScroll1.Value, 1000);
    frmMain.VScroll1.Value = 0;
    bed.Key(DIK_DOWN, false);
    frmMain.PollKeyboard();
    EXPECT_EQ(frmMain.VScroll1.Value, 0);  // refused at the other end too
}

TEST_F(KeyboardPoll, EndsWithTheCameraMatricesUnlessTheEventBufferOverflowed) {
    bed.Device().ClearRecording();
    frmMain.PollKeyboard();
    EXPECT_EQ(bed.Device().CountOf(d3d::CallKind::SetTransform), 3u);

    bed.Device().ClearRecording();
    for (uint8_t key = DIK_Q; key <= DIK_P; ++key) bed.Key(key, true);  // 10 events...
    PollWith({DIK_LSHIFT, DIK_UP});                                     // ...and two too many
    EXPECT_EQ(frmMain.VScroll1.Value, 1000);
    EXPECT_EQ(bed.Device().CountOf(d3d::CallKind::SetTransform), 0u);
    frmMain.PollKeyboard();  // the next poll reads afresh
    EXPECT_EQ(frmMain.VScroll1.Value, 999);
}

TEST_F(KeyboardPoll, AKeyboardThatCannotBeReadHoldsNoKeyAndIsTakenAgain) {
    bed.Key(DIK_LSHIFT, true);
    bed.Key(DIK_UP, true);
    bed.keyboard.SetAvailable(false);
    bed.keyboard.Acquire();  // lost
    bed.keyboard.SetAvailable(true);
    frmMain.PollKeyboard();
    EXPECT_EQ(frmMain.VScroll1.Value, 1000);
    EXPECT_TRUE(bed.keyboard.Acquired());
    frmMain.PollKeyboard();
    EXPECT_EQ(frmMain.VScroll1.Value, 999);
}

TEST(CameraScrollBar, PutsTheEyeEighteenUnitsBeforeItsPositionAlongTheTrack) {
    EditorTestBed bed;
    bed.Start();
    gCameraEye.X = 3;
    frmMain.VScroll1.Value = frmMain.VScroll1.Max;
    frmMain.VScroll1_Change();
    EXPECT_EQ(gCameraEye.Z, -18.0f);
    EXPECT_EQ(gCameraLookAt.Z, 0.0f);
    frmMain.VScroll1.Value = 0;
    frmMain.VScroll1_Change();
    EXPECT_EQ(gCameraEye.Z, 982.0f);
    EXPECT_EQ(gCameraLookAt.Z, 1000.0f);
    EXPECT_EQ(gCameraEye.X, 3.0f);
    EXPECT_EQ(gCameraEye.Y, 25.0f);
}

TEST(CameraScrollBar, DoesNothingBeforeTheFirstTrackExists) {
    EditorTestBed bed;
    bed.Start();
    gEditorReady = false;
    frmMain.VScroll1.Value = 500;
    frmMain.VScroll1_Change();
    EXPECT_EQ(gCameraEye.Z, -18.0f);
}

class PlayModePoll : public KeyboardPoll {
protected:
    void SetUp() override {
        KeyboardPoll::SetUp();
        gEditorMode = MODE_PLAY;
        gPlayer.resetPLayer();
        gCanJump = false;
    }
    void Release(std::initializer_list<uint8_t> keys) {
        for (uint8_t key : keys) bed.Key(key, false);
    }
};

TEST_F(PlayModePoll, UpAndDownTogetherAccelerateThenBrake) {
    gPlayer.ForwardVelocity(0.3f);
    PollWith({DIK_UP, DIK_DOWN});
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.3f + 0.02f - 0.04f);
}

TEST_F(PlayModePoll, RightWinsOverLeftAndLettingGoStopsTheSidewaysMoveOffIce) {
    PollWith({DIK_LEFT, DIK_RIGHT});
    EXPECT_FLOAT_EQ(gPlayer.HorizontalVelocity(), 0.12f);
    Release({DIK_LEFT, DIK_RIGHT});
    frmMain.PollKeyboard();
    EXPECT_EQ(gPlayer.HorizontalVelocity(), 0.0f);

    PollWith({DIK_LEFT});
    gPlayer.SetPlayerOnIce();
    Release({DIK_LEFT});
    frmMain.PollKeyboard();
    EXPECT_FLOAT_EQ(gPlayer.HorizontalVelocity(), -0.12f);  // the vehicle slides on
}

TEST_F(PlayModePoll, EveryJumpKeyJumpsOnlyFromSomethingAndNotWhileExploding) {
    for (uint8_t key : {DIK_SPACE, DIK_LSHIFT, DIK_RSHIFT, DIK_LCONTROL, DIK_RCONTROL}) {
        gPlayer.resetPLayer();
        gCanJump = false;
        PollWith({key});
        EXPECT_EQ(gPlayer.verticalvelocity(), 0.0f) << int(key);
        gCanJump = true;
        frmMain.PollKeyboard();
        EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), 0.35f) << int(key);
        EXPECT_TRUE(gCanJump);  // the poll leaves it to the collision step
        Release({key});
    }
    gPlayer.resetPLayer();
    gPlayer.explode();
    PollWith({DIK_SPACE});
    EXPECT_EQ(gPlayer.verticalvelocity(), 0.0f);
}

TEST_F(PlayModePoll, ShiftUpDrivesInsteadOfScrolling) {
    PollWith({DIK_LSHIFT, DIK_UP});
    EXPECT_EQ(frmMain.VScroll1.Value, 1000);
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.02f);
}
