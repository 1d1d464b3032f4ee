#include "editor/qt/TextWindow.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace editor {

TextWindow::TextWindow(QWidget* owner) : QWidget(owner, Qt::Dialog) {
    resize(640, 480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QPlainTextEdit(this);
    view_->setReadOnly(true);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));  // the text is laid out in columns
    layout->addWidget(view_);
}

void TextWindow::Show(const QString& title, const QString& text) {
    setWindowTitle(title);
    view_->setPlainText(text);
    show();
    raise();
    activateWindow();
}

}  // namespace editor
