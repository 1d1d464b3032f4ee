// Qt's keys in the scan codes of the key state, and the feed that keeps only the editor's
// own key presses.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "editor/qt/KeyboardFeed.h"
#include "editor/qt/QtKeyMap.h"
#include "platform/Keyboard.h"

using editor::DikFromQtKey;
using namespace dinput;

TEST(QtKeyMap, GivesTheDrivingAndEditingKeysTheirScanCodes) {
    EXPECT_EQ(DikFromQtKey(Qt::Key_Up, Qt::NoModifier, 0), DIK_UP);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Down, Qt::NoModifier, 0), DIK_DOWN);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Left, Qt::NoModifier, 0), DIK_LEFT);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Right, Qt::NoModifier, 0), DIK_RIGHT);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Space, Qt::NoModifier, 0), DIK_SPACE);
    EXPECT_EQ(DikFromQtKey(Qt::Key_A, Qt::ShiftModifier, 0), DIK_A);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Delete, Qt::NoModifier, 0), DIK_DELETE);
    EXPECT_EQ(DikFromQtKey(Qt::Key_F12, Qt::NoModifier, 0), DIK_F12);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Return, Qt::NoModifier, 0), DIK_RETURN);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Period, Qt::NoModifier, 0), DIK_PERIOD);
    EXPECT_EQ(DikFromQtKey(Qt::Key_VolumeUp, Qt::NoModifier, 0), 0);
}

TEST(QtKeyMap, TellsLeftFromRightModifiersByTheirKeySymbols) {
    EXPECT_EQ(DikFromQtKey(Qt::Key_Shift, Qt::ShiftModifier, 0xffe1), DIK_LSHIFT);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Shift, Qt::ShiftModifier, 0xffe2), DIK_RSHIFT);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Control, Qt::ControlModifier, 0xffe3), DIK_LCONTROL);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Control, Qt::ControlModifier, 0xffe4), DIK_RCONTROL);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Shift, Qt::ShiftModifier, 0), DIK_LSHIFT);  // no symbol: the left one
}

TEST(QtKeyMap, KeepsTheNumberPadApartFromTheMainKeys) {
    EXPECT_EQ(DikFromQtKey(Qt::Key_8, Qt::KeypadModifier, 0), DIK_NUMPAD8);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Up, Qt::KeypadModifier, 0), DIK_NUMPAD8);  // Num Lock off
    EXPECT_EQ(DikFromQtKey(Qt::Key_8, Qt::NoModifier, 0), DIK_8);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Enter, Qt::KeypadModifier, 0), DIK_NUMPADENTER);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Plus, Qt::KeypadModifier, 0), DIK_ADD);
    // A character typed with Shift names the key it is on.
    EXPECT_EQ(DikFromQtKey(Qt::Key_Exclam, Qt::ShiftModifier, 0), DIK_1);
    EXPECT_EQ(DikFromQtKey(Qt::Key_Greater, Qt::ShiftModifier, 0), DIK_PERIOD);
}

TEST(KeyboardFeed, ReleasesTheKeyThatWentDownWhateverTheModifiersDidMeanwhile) {
    Keyboard keyboard;
    keyboard.Acquire();
    editor::KeyboardFeed feed(keyboard);
    QWidget widget;
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QWindow* window = widget.windowHandle();
    // The press of the "1" key with Shift held reads as "!"; its release after Shift as "1".
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier, 10, 0x21, 0, "!");
    QCoreApplication::sendEvent(window, &press);
    EXPECT_TRUE(keyboard.IsDown(DIK_1));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, 10, 0x31, 0, "1");
    QCoreApplication::sendEvent(window, &release);
    EXPECT_FALSE(keyboard.IsDown(DIK_1));
    // Repeats of a held key are no new presses, and widgets' copies of an event are not counted.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 0x61, 0, "a", true);
    QCoreApplication::sendEvent(window, &repeat);
    EXPECT_FALSE(keyboard.IsDown(DIK_A));
    QKeyEvent toWidget(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 0x61, 0, "a");
    QCoreApplication::sendEvent(&widget, &toWidget);
    EXPECT_FALSE(keyboard.IsDown(DIK_A));
}
