// The key-down handler of keyboard editing, past what the window tests press: which keys it
// takes from the menus, the refreshes and pauses it leaves out or adds, the size steps at
// their limits and the texture list's ends. (tests/editor_qt/KeyEventsTest.cpp presses every
// key in the real window.)
#include <gtest/gtest.h>

#include "editor/Clipboard.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/editor/support/TrackLooks.h"
#include "world/TrackObjects.h"

namespace {

constexpr int16_t kShift = 1, kCtrl = 2, kAlt = 4;
constexpr int16_t kDelete = 46, kSpace = 32, kRight = 39, kF5 = 116, kF12 = 123, kPeriod = 190, kComma = 188,
                  kEnter = 13;
constexpr int16_t Keypad(int digit) { return static_cast<int16_t>(96 + digit); }

// The key code the handler hands back.
int16_t Press(int16_t code, int16_t shift = 0, bool repeat = false) {
    frmMain.Form_KeyDown(code, shift, repeat);
    return code;
}

}  // namespace

class KeyEditing : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    clsblock& Block() { return gBlocks[static_cast<size_t>(gSelectedIndex)]; }
    EditorTestBed bed;
};

TEST_F(KeyEditing, DeleteAndCtrlXShowThatNothingIsSelectedAnyMore) {
    Block().scaleY(5);
    selection::ShowSelection();
    Press(kSpace);
    Block().scaleY(7);
    selection::ShowSelection();
    ASSERT_EQ(frmMain.txt_height.Text, "7");
    Press(kDelete);
    EXPECT_EQ(frmMain.txt_height.Text, "1");

    gSelectedIndex = 0;
    gHasSelection = true;
    selection::ShowSelection();
    ASSERT_EQ(frmMain.txt_height.Text, "5");
    Press('X', kCtrl);
    EXPECT_EQ(gBlockCount, -1);
    EXPECT_EQ(frmMain.txt_height.Text, "1");
}

TEST_F(KeyEditing, CtrlCAndCtrlVCopyAndPasteWithoutTheMenusPause) {
    Press('M', kCtrl);  // pauses the platforms
    frmMain.cmd_pause_Click();  // running again
    Press('C', kCtrl);
    Press('V', kCtrl);
    EXPECT_EQ(gPlatformCount, 1);
    EXPECT_FALSE(gPlatformsPaused);
    EXPECT_EQ(frmMain.cmd_pause.Caption, "Pause Platforms");
    EXPECT_TRUE(gClipboardFull);
}

TEST_F(KeyEditing, OnlyTheTablesKeysWithTheirExactModifiersAreEditingKeys) {
    EXPECT_FALSE(frmMain.IsEditingKey(kDelete, kShift));
    EXPECT_FALSE(frmMain.IsEditingKey('A', kAlt));
    EXPECT_FALSE(frmMain.IsEditingKey('F', kCtrl | kShift));
    EXPECT_FALSE(frmMain.IsEditingKey(kSpace, kCtrl));
    EXPECT_FALSE(frmMain.IsEditingKey(17, kCtrl));  // Ctrl's own key-down
    EXPECT_TRUE(frmMain.IsEditingKey('F', kCtrl));
    EXPECT_TRUE(frmMain.IsEditingKey(kF5, 0));
    EXPECT_TRUE(frmMain.IsEditingKey('A', 0));
    // The other menu shortcuts are the menus' own.
    for (int16_t key : {'O', 'S', 'Q', 'A'}) EXPECT_FALSE(frmMain.IsEditingKey(key, kCtrl)) << char(key);
    for (int16_t key = 112; key <= 115; ++key) EXPECT_FALSE(frmMain.IsEditingKey(key, 0)) << key;  // F1 to F4
}

TEST_F(KeyEditing, TheKeypadStepsASizeWithinItsControlsRange) {
    Press(kSpace);
    frmMain.UpDown3.Value = frmMain.UpDown3.Max;
    Block().scalez(5);
    Press(Keypad(8));
    EXPECT_EQ(Block().scalez(), 5.0f);
    EXPECT_EQ(frmMain.UpDown3.Value, frmMain.UpDown3.Max);

    frmMain.UpDown3.Value = frmMain.UpDown3.Max - 1;
    Press(Keypad(8));
    EXPECT_EQ(Block().scalez(), static_cast<float>(frmMain.UpDown3.Max));  // the control's value, not 5 + 1
    EXPECT_EQ(frmMain.txt_depth.Text, std::to_string(frmMain.UpDown3.Max));
    Press(Keypad(2));
    EXPECT_EQ(Block().scalez(), static_cast<float>(frmMain.UpDown3.Max - 1));

    for (int digit : {7, 9}) Press(Keypad(digit));
    EXPECT_EQ(Block().scaleY(), 3.0f);
    for (int digit : {1, 3, 1}) Press(Keypad(digit));
    EXPECT_EQ(Block().scaleY(), 1.0f);  // stops at Min
    EXPECT_EQ(frmMain.UpDown1.Value, 1);
    Press(Keypad(6));
    Press(Keypad(6));
    Press(Keypad(4));
    EXPECT_EQ(Block().scaleX(), 2.0f);
    for (int digit : {0, 5}) Press(Keypad(digit));
    Press('8');  // the main row's 8 is not the keypad's
    EXPECT_EQ(Block().scaleX(), 2.0f);
    EXPECT_EQ(Block().scaleY(), 1.0f);
}

TEST_F(KeyEditing, ARefusedStepShowsTheSizeTheObjectKept) {
    Press('J', kCtrl);  // a jump pad keeps its size
    ASSERT_EQ(frmMain.txt_height.Text, "1");
    Press(Keypad(7));
    EXPECT_EQ(bed.messages, std::vector<std::string>{"This block type cannot be resized"});
    EXPECT_EQ(Block().scaleY(), 1.0f);
    EXPECT_EQ(frmMain.UpDown1.Value, 1);
    EXPECT_EQ(frmMain.txt_height.Text, "1");
}

TEST_F(KeyEditing, PeriodAndCommaStepRoundTheTextureListAndEnterPaintsTheHighlightedOne) {
    editor::FileListBox& list = frmMain.File1;
    ASSERT_GE(list.ListCount(), 3);
    const int16_t last = static_cast<int16_t>(list.ListCount() - 1);
    list.ListIndex = -1;
    Press(kComma);
    EXPECT_EQ(list.ListIndex, last);
    Press(kPeriod);
    EXPECT_EQ(list.ListIndex, 0);
    Press(kComma);
    EXPECT_EQ(list.ListIndex, last);
    Press(kComma);
    EXPECT_EQ(list.ListIndex, last - 1);
    EXPECT_EQ(FaceTextures(gBlocks[0])[0], "_default.bmp");  // stepping paints nothing
    Press(kEnter);
    EXPECT_EQ(FaceTextures(gBlocks[0]), std::vector<std::string>(4, list.List(static_cast<int16_t>(last - 1))));

    list.ListIndex = -1;
    Press(kEnter);  // no entry: nothing painted
    EXPECT_EQ(FaceTextures(gBlocks[0])[0], list.List(static_cast<int16_t>(last - 1)));
    list.Items.clear();
    Press(kPeriod);
    Press(kComma);
    EXPECT_EQ(list.ListIndex, -1);
}

TEST_F(KeyEditing, InPlayModeTheEditingKeysActNotAndEveryKeyIsUsedUp) {
    gEditorMode = MODE_PLAY;
    const int16_t highlighted = frmMain.File1.ListIndex;
    for (int16_t key : {kSpace, kDelete, kF5, kRight, Keypad(8), kPeriod}) EXPECT_EQ(Press(key), 111) << key;
    EXPECT_EQ(Press('F', kCtrl), 111);
    EXPECT_EQ(Press(kF12, kShift), 111);
    EXPECT_EQ(gBlockCount, 0);
    EXPECT_EQ(gStarCount, -1);
    EXPECT_TRUE(gHasSelection);
    EXPECT_EQ(gTrackSettings.Gravity, kNormalGravity);
    EXPECT_EQ(frmMain.File1.ListIndex, highlighted);
    gEditorMode = MODE_EDIT;
    EXPECT_EQ(Press('Y'), 111);
}
