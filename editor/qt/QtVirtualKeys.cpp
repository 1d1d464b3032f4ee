#include "editor/qt/QtVirtualKeys.h"

namespace editor {
namespace {

constexpr int16_t kKeypadDigit0 = 96, kDecimal = 110;

int16_t NamedKey(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        case Qt::Key_Space: return 32;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Delete: return 46;
        case Qt::Key_Comma: return 188;
        case Qt::Key_Period: return 190;
    }
    return 0;
}

}  // namespace

int16_t VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<int16_t>(keypad ? kKeypadDigit0 + (key - Qt::Key_0) : key);  // the main row: '0'..'9'
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<int16_t>(key);          // 'A'..'Z'
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return static_cast<int16_t>(112 + (key - Qt::Key_F1));
    // The number pad's decimal key, whichever mark the layout puts on it.
    if (keypad && (key == Qt::Key_Period || key == Qt::Key_Comma)) return kDecimal;
    return NamedKey(key);
}

int16_t ModifierMask(Qt::KeyboardModifiers modifiers) {
    return static_cast<int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                                (modifiers & Qt::AltModifier ? 4 : 0));
}

}  // namespace editor
