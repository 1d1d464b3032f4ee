// Hands the main window's key presses to its key-down handler before any of its controls
// sees them (Space must not click the focused button), and uses every one of them up. The
// keys the handler edits with reach it and not the shortcut of the menu entry that shows
// the same key: a press runs its command once, and only in edit mode. The menu shortcuts of
// the other keys (F1 to F4, Ctrl+O, S, Q and A) act as before.
#pragma once
#include <QObject>

#include <functional>

class QWidget;

namespace editor {

class KeyEditing : public QObject {
public:
    // The handler: virtual-key code, modifier mask, auto-repeat; runs inside `run`.
    using KeyDown = std::function<void(int16_t& KeyCode, int16_t Shift, bool AutoRepeat)>;
    using Runner = std::function<void(const std::function<void()>&)>;

    // Watches the whole application for the keys of `window`, for as long as it lives.
    KeyEditing(QWidget& window, KeyDown keyDown, Runner run);
    ~KeyEditing() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool InWindow(QObject* watched) const;

    QWidget& window_;
    KeyDown keyDown_;
    Runner run_;
};

}  // namespace editor
