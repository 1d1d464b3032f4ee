#include "editor/qt/KeyboardAfterBoxes.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace editor {

KeyboardAfterBoxes::KeyboardAfterBoxes(QWidget& mainWindow) : main_(mainWindow) { qApp->installEventFilter(this); }

KeyboardAfterBoxes::~KeyboardAfterBoxes() { qApp->removeEventFilter(this); }

bool KeyboardAfterBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Hide || event->spontaneous() || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    // Menus, lists and tips close without taking the keyboard along.
    const Qt::WindowType type = widget->windowType();
    if (widget == &main_ || !widget->isWindow() || (type != Qt::Window && type != Qt::Dialog)) return false;
    // Once the box has gone: a box closed to show the next leaves that one up.
    QTimer::singleShot(0, this, [this] { GiveKeyboardBack(); });
    return false;
}

void KeyboardAfterBoxes::GiveKeyboardBack() {
    if (!main_.isVisible()) return;  // the program is ending
    QWidget* modal = QApplication::activeModalWidget();
    (modal ? modal : &main_)->activateWindow();
}

}  // namespace editor
