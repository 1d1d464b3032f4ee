#include "editor/qt/TextWindow.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace editor {
namespace {

constexpr int kMargin = 40;  // the frame and the vertical scroll bar

}  // namespace

TextWindow::TextWindow(QWidget* owner) : QDialog(owner) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QPlainTextEdit(this);
    view_->setReadOnly(true);
    // The text is laid out in columns: its lines are kept whole, and the window is made as wide
    // as the longest one where the screen allows.
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(view_);
}

void TextWindow::Show(const QString& title, const QString& text) {
    setWindowTitle(title);
    view_->setPlainText(text);
    int widest = 0;
    for (const QString& line : text.split('\n')) widest = std::max(widest, view_->fontMetrics().horizontalAdvance(line));
    const QRect room = screen()->availableGeometry();
    resize(std::min(widest + kMargin, room.width()), std::min(600, room.height()));
    show();
    raise();
    activateWindow();
}

}  // namespace editor
