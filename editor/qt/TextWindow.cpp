#include "editor/qt/TextWindow.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace editor {
namespace {

constexpr int kMargin = 40;  // the frame and the vertical scroll bar
constexpr int kStrip = 48;   // of the area it is shown over, left above and below it to click

}  // namespace

// Without an owner: the window manager would keep an owned window above the main window.
TextWindow::TextWindow() : QDialog(nullptr, Qt::Window) {
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

void TextWindow::Show(const QString& title, const QString& text, const QRect& over) {
    setWindowTitle(title);
    view_->setPlainText(text);
    if (!isVisible()) {  // one the builder has moved or sized stays so
        int widest = 0;
        for (const QString& line : text.split('\n'))
            widest = std::max(widest, view_->fontMetrics().horizontalAdvance(line));
        const QRect room = screen()->availableGeometry();
        QRect placed(0, 0, std::min(widest + kMargin, room.width()),
                     std::clamp(over.height() - 2 * kStrip, std::min(200, room.height()), room.height()));
        placed.moveCenter(over.center());
        placed.moveLeft(std::clamp(placed.left(), room.left(), room.right() + 1 - placed.width()));
        placed.moveTop(std::clamp(placed.top(), room.top(), room.bottom() + 1 - placed.height()));
        setGeometry(placed);
    }
    show();
    raise();
    activateWindow();
}

}  // namespace editor
