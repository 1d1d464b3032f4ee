// A read-only window of the editor's own that shows a text (the help, where the desktop has no
// viewer for text files). Not modal; it stays above the main window, and Esc closes it, also
// where no window manager gives it a close button.
#pragma once
#include <QDialog>

class QPlainTextEdit;

namespace editor {

class TextWindow : public QDialog {
public:
    explicit TextWindow(QWidget* owner);
    // The text under the title, brought to the front.
    void Show(const QString& title, const QString& text);

private:
    QPlainTextEdit* view_;
};

}  // namespace editor
