#include "editor/qt/KeyEditing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include "editor/frmMain.h"
#include "editor/qt/QtVirtualKeys.h"

namespace editor {

KeyEditing::KeyEditing(QWidget& window, KeyDown keyDown, Runner run)
    : window_(window), keyDown_(std::move(keyDown)), run_(std::move(run)) {
    qApp->installEventFilter(this);
}

KeyEditing::~KeyEditing() { qApp->removeEventFilter(this); }

// The window's own widgets, or the window itself when none has the focus; not the About
// window, dialogs, message boxes or open menus and lists.
bool KeyEditing::InWindow(QObject* watched) const {
    if (watched->isWidgetType()) return static_cast<QWidget*>(watched)->window() == &window_;
    return watched->isWindowType() && watched == window_.windowHandle();
}

bool KeyEditing::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return false;
    if (!InWindow(watched)) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    int16_t code = VirtualKeyFromQtKey(*key);
    const int16_t shift = ModifierMask(key->modifiers());
    if (type == QEvent::ShortcutOverride) {
        // Taken here, the press comes as a key event instead of triggering the menu entry.
        if (!MainForm::IsEditingKey(code, shift)) return false;
        event->accept();
        return true;
    }
    // A press reaches the window first and then its focused control: it is handled once, on
    // its way to the control (the keyboard the frames poll has seen it on the window).
    if (watched->isWindowType()) return false;
    run_([&] {
        if (keyDown_) keyDown_(code, shift, key->isAutoRepeat());
    });
    return code == MainForm::kKeyUsedUp;
}

}  // namespace editor
