// Feeds the editor's own key presses and releases into the system keyboard that the frames
// poll. Keys typed into other programs never reach it, and every key goes up when the
// focus moves to another window or leaves the program.
#pragma once
#include <QObject>

#include <unordered_map>

namespace dinput {
class Keyboard;
}

namespace editor {

class KeyboardFeed : public QObject {
public:
    // Watches the whole application from its creation on.
    explicit KeyboardFeed(dinput::Keyboard& keyboard);
    ~KeyboardFeed() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ReleaseAll();

    dinput::Keyboard& keyboard_;
    // The scan code each held key went down with, by the window system's key number, so that
    // its release lifts the same key whatever the modifiers do in between.
    std::unordered_map<quint32, uint8_t> held_;
};

}  // namespace editor
