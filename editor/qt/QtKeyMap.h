// Qt's key events in the keyboard's scan codes (DIK_*), as the editor's key state indexes them.
#pragma once
#include <QKeyEvent>

#include <cstdint>

namespace editor {

// The scan code of a key; 0 for a key the key state has no place for. nativeVirtualKey is
// the window system's key symbol, which tells the left modifier keys from the right ones.
uint8_t DikFromQtKey(int key, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey);
inline uint8_t DikFromQtKey(const QKeyEvent& event) {
    return DikFromQtKey(event.key(), event.modifiers(), event.nativeVirtualKey());
}

}  // namespace editor
