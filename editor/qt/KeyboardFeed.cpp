#include "editor/qt/KeyboardFeed.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>

#include "editor/qt/QtKeyMap.h"
#include "platform/Keyboard.h"

namespace editor {

KeyboardFeed::KeyboardFeed(dinput::Keyboard& keyboard) : keyboard_(keyboard) {
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { ReleaseAll(); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive) ReleaseAll();
    });
}

KeyboardFeed::~KeyboardFeed() { qApp->removeEventFilter(this); }

bool KeyboardFeed::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress, release = event->type() == QEvent::KeyRelease;
    // A window gets each key event once, before its widgets see it.
    if (!(press || release) || !watched->isWindowType()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat()) return false;
    uint8_t code = DikFromQtKey(*key);
    const quint32 scan = key->nativeScanCode();
    if (press) {
        if (scan) held_[scan] = code;
    } else if (auto found = held_.find(scan); scan && found != held_.end()) {
        code = found->second;
        held_.erase(found);
    }
    keyboard_.SetKey(code, press);
    return false;
}

void KeyboardFeed::ReleaseAll() {
    held_.clear();
    keyboard_.ReleaseAll();
}

}  // namespace editor
