// A key held down when a box or dialog comes up repeats into it: the Enter that chose a track in
// the Open dialog, held on, would close the box that tells what the track could not keep before
// the builder has read it. A box's own keys (Enter, Space, Esc) act on a fresh press only.
#pragma once
#include <QObject>

#include <map>

namespace editor {

class BoxKeysOncePerPress : public QObject {
public:
    // Watches the whole application, for as long as it lives.
    BoxKeysOncePerPress();
    ~BoxKeysOncePerPress() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The server's time of each box key's last release: X repeats a held key as a release and a
    // press of one time, which Qt does not always mark as a repeat.
    std::map<int, unsigned long> released_;
};

}  // namespace editor
