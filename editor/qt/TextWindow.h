// A read-only window of the editor's own that shows a text (the help, where the desktop has no
// viewer for text files). Not modal, and a window of its own as the desktop's viewer would be:
// a click on the main window brings that to the front. Esc closes it, also where no window
// manager gives it a close button.
#pragma once
#include <QDialog>

class QPlainTextEdit;

namespace editor {

class TextWindow : public QDialog {
public:
    TextWindow();
    // The text under the title, brought to the front; a window not up yet opens over the
    // middle of `over` (in the screen's coordinates), inside it where the text's lines allow.
    void Show(const QString& title, const QString& text, const QRect& over);

private:
    QPlainTextEdit* view_;
};

}  // namespace editor
