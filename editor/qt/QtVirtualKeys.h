// Qt's key events as the window's key-down handler takes them: the key's virtual-key code and
// the modifier mask 1 Shift, 2 Ctrl, 4 Alt.
#pragma once
#include <QKeyEvent>

#include <cstdint>

namespace editor {

// The virtual-key code of a key; 0 for one the editor's keys do not include. The number
// pad's digits (with Num Lock on) have codes of their own, apart from the main row's.
int16_t VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers);
inline int16_t VirtualKeyFromQtKey(const QKeyEvent& event) {
    return VirtualKeyFromQtKey(event.key(), event.modifiers());
}
// Shift, Ctrl and Alt; whether the key lies on the number pad is not a modifier here.
int16_t ModifierMask(Qt::KeyboardModifiers modifiers);

}  // namespace editor
