// A click on one of the editor's windows gives that window the keyboard, as a window manager
// does; where none runs, X leaves the keyboard where it was, and the keys would go on to the
// window the builder clicked away from. The windows stay stacked as they are.
#pragma once
#include <QObject>

namespace editor {

class ClickFocus : public QObject {
public:
    // Watches the whole application, for as long as it lives.
    ClickFocus();
    ~ClickFocus() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace editor
