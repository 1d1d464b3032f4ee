#include "editor/qt/ClickFocus.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace editor {

ClickFocus::ClickFocus() { qApp->installEventFilter(this); }

ClickFocus::~ClickFocus() { qApp->removeEventFilter(this); }

bool ClickFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || !watched->isWidgetType()) return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    // Menus and lists that open from a window belong to it; a modal box keeps the keyboard.
    const Qt::WindowType type = window->windowType();
    if ((type != Qt::Window && type != Qt::Dialog) || window == QApplication::activeWindow() ||
        QApplication::activeModalWidget())
        return false;
    window->activateWindow();
    return false;
}

}  // namespace editor
