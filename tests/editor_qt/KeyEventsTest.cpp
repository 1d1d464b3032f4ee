// Keyboard editing in the real window: key events as the window system sends them reach the
// key-down handler before the focused control, each press runs its command once whatever menu
// entry shows the same shortcut, held keys repeat or not as their command wants, and the
// menus keep the shortcuts the handler does not take.
#include <QAbstractButton>
#include <QKeySequence>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/qt/AboutWindow.h"
#include "tests/editor_qt/EditorWindowFixture.h"
#include "world/TrackObjects.h"

class KeyEvents : public EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));  // the start gives it the keyboard
    }
    void Send(bool press, int key, Qt::KeyboardModifiers modifiers, bool repeat = false) {
        QTest::simulateEvent(window->windowHandle(), press, key, modifiers, QString(), repeat);
    }
    // One press and release of a key, with the modifier keys going down first and up last.
    void Tap(int key, Qt::KeyboardModifiers modifiers = {}) {
        Modifiers(true, modifiers);
        Send(true, key, modifiers);
        Send(false, key, modifiers);
        Modifiers(false, modifiers);
    }
    // A key held down: its press, then the release and press pairs of its repeats.
    void Hold(int key, Qt::KeyboardModifiers modifiers, int repeats) {
        Send(true, key, modifiers);
        for (int i = 0; i < repeats; ++i) {
            Send(false, key, modifiers, true);
            Send(true, key, modifiers, true);
        }
    }
    void Modifiers(bool press, Qt::KeyboardModifiers modifiers) {
        if (modifiers & Qt::ControlModifier) Send(press, Qt::Key_Control, press ? Qt::ControlModifier : Qt::NoModifier);
        if (modifiers & Qt::ShiftModifier) Send(press, Qt::Key_Shift, modifiers & Qt::ShiftModifier);
        if (modifiers & Qt::AltModifier) Send(press, Qt::Key_Alt, modifiers & Qt::AltModifier);
    }
    clsblock& Selected() { return gBlocks[static_cast<size_t>(gSelectedIndex)]; }
};

TEST_F(KeyEvents, EachCtrlKeyRunsItsCommandOnceAlthoughItsMenuEntryShowsTheShortcut) {
    const struct {
        Qt::Key key;
        const editor::MenuItem& entry;
        uint8_t code;
    } blocks[] = {{Qt::Key_F, frmMain.mnu_fallingBlock, 4}, {Qt::Key_K, frmMain.mnu_instantkill, 6},
                  {Qt::Key_I, frmMain.mnu_ice, 3},          {Qt::Key_W, frmMain.mnu_Endlevel, 1},
                  {Qt::Key_J, frmMain.mnu_BouncePad, 2},    {Qt::Key_T, frmMain.mnu_turbo, 5},
                  {Qt::Key_B, frmMain.mnu_building, 10}};
    for (const auto& row : blocks) {
        SCOPED_TRACE(row.entry.Caption);
        const int32_t before = gBlockCount;
        Tap(row.key, Qt::ControlModifier);
        EXPECT_EQ(gBlockCount, before + 1);
        EXPECT_EQ(gBlocks[static_cast<size_t>(gBlockCount)].changeactioncode(), row.code);
        EXPECT_EQ(Action(row.entry)->shortcut(), QKeySequence(Qt::ControlModifier | row.key));
    }
    Tap(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(gPlatformCount, 0);
    Tap(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(gRampCount, 0);
    Tap(Qt::Key_C, Qt::ControlModifier);
    Tap(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(gRampCount, 1);
    ASSERT_TRUE(WaitForFrames(2));
    EXPECT_FALSE(CaptureViewport("keys-inserted-and-pasted").isNull());  // the pasted ramp selected
    Tap(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(gRampCount, 0);
    EXPECT_FALSE(gHasSelection);
    EXPECT_TRUE(messages.empty());
}

TEST_F(KeyEvents, PlainKeysInsertMoveResizePaintAndSetTheGravity) {
    Tap(Qt::Key_Space);
    ASSERT_EQ(gBlockCount, 1);
    Selected().Xpos(0);
    Selected().Zpos(5);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_A})
        Tap(key);
    EXPECT_EQ(Selected().Xpos(), 1.0f);
    EXPECT_EQ(Selected().Zpos(), 4);
    EXPECT_EQ(Selected().Ypos(), 1.0f);
    Tap(Qt::Key_Z);
    EXPECT_EQ(Selected().Ypos(), 0.0f);

    Tap(Qt::Key_8, Qt::KeypadModifier);
    Tap(Qt::Key_9, Qt::KeypadModifier);
    Tap(Qt::Key_6, Qt::KeypadModifier);
    Tap(Qt::Key_8);  // the main row's 8 is no size key
    EXPECT_EQ(Selected().scalez(), 2.0f);
    EXPECT_EQ(Selected().scaleY(), 2.0f);
    EXPECT_EQ(Selected().scaleX(), 2.0f);
    EXPECT_EQ(WidgetOf<QWidget>(&frmMain.txt_depth)->property("text").toString(), "2");

    Tap(Qt::Key_F12);
    EXPECT_EQ(gTrackSettings.Gravity, kLowGravity);
    Tap(Qt::Key_F11);
    EXPECT_EQ(gTrackSettings.Gravity, kNormalGravity);
    EXPECT_TRUE(Action(frmMain.mnu_normal)->isChecked());

    auto* list = WidgetOf<QListWidget>(&frmMain.File1);
    frmMain.File1.ListIndex = 0;
    Tap(Qt::Key_Comma);  // round to the last entry
    EXPECT_EQ(frmMain.File1.ListIndex, frmMain.File1.ListCount() - 1);
    EXPECT_EQ(list->currentRow(), frmMain.File1.ListIndex);
    Tap(Qt::Key_Period);
    Tap(Qt::Key_Period);
    EXPECT_EQ(frmMain.File1.ListIndex, 1);
    Tap(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Selected().GetTextureA(), frmMain.File1.List(1));
    Tap(Qt::Key_Period);
    Tap(Qt::Key_Return);
    EXPECT_EQ(Selected().GetTextureA(), frmMain.File1.List(2));

    Tap(Qt::Key_F5);
    EXPECT_EQ(gStarCount, 0);
    Tap(Qt::Key_Delete);
    EXPECT_EQ(gStarCount, -1);
}

TEST_F(KeyEvents, KeysWithOtherModifiersDoNothing) {
    Tap(Qt::Key_Delete, Qt::ShiftModifier);
    Tap(Qt::Key_A, Qt::AltModifier);
    Tap(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    Tap(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(gBlockCount, 0);
    EXPECT_TRUE(gHasSelection);
    EXPECT_EQ(gBlocks[0].Ypos(), 0.0f);
}

TEST_F(KeyEvents, HeldCtrlKeysAndF5ActOncePerPressAndArrowsOnEveryRepeat) {
    Send(true, Qt::Key_Control, Qt::ControlModifier);
    Hold(Qt::Key_F, Qt::ControlModifier, 5);
    EXPECT_EQ(gBlockCount, 1);
    Send(false, Qt::Key_F, Qt::ControlModifier);
    Tap(Qt::Key_F, Qt::ControlModifier);  // again, Ctrl still down
    EXPECT_EQ(gBlockCount, 2);
    Send(false, Qt::Key_Control, Qt::NoModifier);

    Hold(Qt::Key_F5, {}, 4);
    EXPECT_EQ(gStarCount, 0);
    Send(false, Qt::Key_F5, {});
    Tap(Qt::Key_F5);
    EXPECT_EQ(gStarCount, 1);

    gStars[1].Xpos(0);
    Hold(Qt::Key_Right, {}, 3);
    Send(false, Qt::Key_Right, {});
    EXPECT_EQ(gStars[1].Xpos(), 4);
}

TEST_F(KeyEvents, TheKeypadStopsAtTheControlsMaximum) {
    Tap(Qt::Key_Space);
    frmMain.UpDown3.Value = frmMain.UpDown3.Max - 1;
    Tap(Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(Selected().scalez(), static_cast<float>(frmMain.UpDown3.Max));
    Tap(Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(Selected().scalez(), static_cast<float>(frmMain.UpDown3.Max));
    EXPECT_EQ(frmMain.txt_depth.Text, std::to_string(frmMain.UpDown3.Max));
}

TEST_F(KeyEvents, SpaceOnAFocusedButtonInsertsABlockAndLeavesTheButtonAlone) {
    auto* pause = WidgetOf<QPushButton>(&frmMain.cmd_pause);
    pause->setFocus();
    ASSERT_TRUE(pause->hasFocus());
    Tap(Qt::Key_Space);
    EXPECT_EQ(gBlockCount, 1);
    EXPECT_EQ(frmMain.cmd_pause.Caption, "Pause Platforms");
    EXPECT_FALSE(gPlatformsPaused);
}

TEST_F(KeyEvents, InPlayModeTheEditingKeysRunNothingAndTheModeKeysStillSwitch) {
    Tap(Qt::Key_C, Qt::ControlModifier);
    Tap(Qt::Key_F3);
    ASSERT_EQ(gEditorMode, MODE_PLAY);
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_F5, Qt::Key_Delete}) Tap(key);
    Tap(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(gBlockCount, 0);
    EXPECT_EQ(gStarCount, -1);
    // The keys of the entries that act in a run do what the entries do, once a press.
    Tap(Qt::Key_F12);
    EXPECT_EQ(gTrackSettings.Gravity, kLowGravity);
    Tap(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(gBlockCount, 1);
    Tap(Qt::Key_F4);
    EXPECT_EQ(gEditorMode, MODE_EDIT);
    Tap(Qt::Key_Space);
    EXPECT_EQ(gBlockCount, 1);
}

TEST_F(KeyEvents, TheOtherMenuShortcutsStayTheMenus) {
    Tap(Qt::Key_Space);
    ASSERT_EQ(gBlockCount, 1);
    ModalAnswer<QMessageBox> discard([](QMessageBox& box) { box.button(QMessageBox::Discard)->click(); });
    Tap(Qt::Key_F2);  // New
    EXPECT_TRUE(discard.Came());  // the inserted block was not saved
    EXPECT_EQ(gBlockCount, 0);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));  // back from the question
    Tap(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(window->About().isVisible());
}
