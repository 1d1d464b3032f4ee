#include "editor/qt/BoxKeysOncePerPress.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>

namespace editor {
namespace {

bool IsBoxKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_Escape;
}

}  // namespace

BoxKeysOncePerPress::BoxKeysOncePerPress() { qApp->installEventFilter(this); }

BoxKeysOncePerPress::~BoxKeysOncePerPress() { qApp->removeEventFilter(this); }

bool BoxKeysOncePerPress::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!IsBoxKey(key->key())) return false;  // a letter or Backspace held in a name field repeats
    if (type == QEvent::KeyRelease) {
        released_[key->key()] = key->timestamp();
        return false;
    }
    if (!watched->isWidgetType() || !qobject_cast<QDialog*>(static_cast<QWidget*>(watched)->window())) return false;
    const auto release = released_.find(key->key());
    return key->isAutoRepeat() || (release != released_.end() && release->second == key->timestamp());
}

}  // namespace editor
