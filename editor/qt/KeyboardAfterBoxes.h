// The keyboard back where the track builder left it when a box closes, also where no window
// manager hands it out: X gives the keyboard focus only where someone sets it, and without a
// manager it would stay with the window that has gone.
#pragma once
#include <QObject>

class QWidget;

namespace editor {

// Once a box, dialog or window of the program closes, gives the keyboard to the modal box
// still up, or else to the main window.
class KeyboardAfterBoxes : public QObject {
public:
    // Watches the whole application, for as long as it lives.
    explicit KeyboardAfterBoxes(QWidget& mainWindow);
    ~KeyboardAfterBoxes() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void GiveKeyboardBack();

    QWidget& main_;
};

}  // namespace editor
