// Qt's keys as the key-down handler takes them: virtual-key codes that tell the number pad
// from the main keys, and the modifier mask without the number pad's flag.
#include <gtest/gtest.h>

#include "editor/qt/QtVirtualKeys.h"

using editor::ModifierMask;
using editor::VirtualKeyFromQtKey;

TEST(QtVirtualKeys, TellTheNumberPadsDigitsFromTheMainRow) {
    for (int digit = 0; digit <= 9; ++digit) {
        EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_0 + digit, Qt::KeypadModifier), 96 + digit) << digit;
        EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_0 + digit, Qt::NoModifier), 48 + digit) << digit;
    }
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Period, Qt::KeypadModifier), 110);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Period, Qt::NoModifier), 190);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Comma, Qt::NoModifier), 188);
    // With Num Lock off the number pad's keys are the navigation keys, as the arrows are.
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Up, Qt::KeypadModifier), 38);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Delete, Qt::KeypadModifier), 46);
}

TEST(QtVirtualKeys, NameTheEditingKeysByTheirCodes) {
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Return, Qt::NoModifier), 13);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_A, Qt::ShiftModifier), 65);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Z, Qt::ControlModifier), 90);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_F1, Qt::NoModifier), 112);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_F12, Qt::NoModifier), 123);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Left, Qt::NoModifier), 37);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Down, Qt::NoModifier), 40);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Space, Qt::NoModifier), 32);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Control, Qt::ControlModifier), 17);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_VolumeUp, Qt::NoModifier), 0);
}

TEST(QtVirtualKeys, TheMaskHoldsShiftCtrlAndAltOnly) {
    EXPECT_EQ(ModifierMask(Qt::NoModifier), 0);
    EXPECT_EQ(ModifierMask(Qt::KeypadModifier), 0);
    EXPECT_EQ(ModifierMask(Qt::ControlModifier | Qt::KeypadModifier), 2);
    EXPECT_EQ(ModifierMask(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(ModifierMask(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier), 7);
}
