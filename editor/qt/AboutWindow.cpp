#include "editor/qt/AboutWindow.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

#include "editor/frmAbout.h"

namespace editor {

AboutWindow::AboutWindow(AboutForm& form, std::function<void(const std::function<void()>&)> runHandler,
                         QWidget* owner)
    : QDialog(owner), form_(form), runHandler_(std::move(runHandler)) {
    setFixedSize(380, 190);
    icon_ = new QLabel(this);
    icon_->setGeometry(16, 16, 32, 32);
    icon_->setPixmap(QGuiApplication::windowIcon().pixmap(32, 32));
    title_ = new QLabel(this);
    title_->setGeometry(64, 16, 300, 20);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    version_ = new QLabel(this);
    version_->setGeometry(64, 38, 300, 18);
    description_ = new QLabel(this);
    description_->setGeometry(64, 62, 300, 40);
    description_->setWordWrap(true);
    auto line = [this](int y) {
        auto* rule = new QFrame(this);
        rule->setGeometry(8, y, 364, 2);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
    };
    line(112);
    label1_ = new QLabel(this);
    label1_->setGeometry(16, 124, 260, 18);
    line(148);
    ok_ = new QPushButton(this);
    ok_->setGeometry(292, 156, 80, 26);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] { runHandler_([this] { form_.cmdOK_Click(); }); });
    Refresh();
}

void AboutWindow::Refresh() {
    setWindowTitle(QString::fromStdString(form_.Caption));
    title_->setText(QString::fromStdString(form_.lblTitle.Caption));
    version_->setText(QString::fromStdString(form_.lblVersion.Caption));
    label1_->setText(QString::fromStdString(form_.Label1.Caption));
    description_->setText(QString::fromStdString(form_.lblDescription.Caption));
    ok_->setText(QString::fromStdString(form_.cmdOK.Caption));
    if (form_.Visible && (!isVisible() || shownFor_ != form_.ShowCount)) {
        shownFor_ = form_.ShowCount;
        if (!isVisible()) PlaceOverOwner();
        show();
        raise();
        activateWindow();
    } else if (!form_.Visible && isVisible()) {
        hide();
    }
}

// Centred over the main window and kept on the screen. Qt's own placement allows for a window
// frame that it guesses where there is none (no window manager), and so opens the window up and
// to the left of the middle; the frame round this window is taken to be the main window's.
void AboutWindow::PlaceOverOwner() {
    QWidget* owner = parentWidget();
    if (!owner) return;
    const QPoint frame = owner->geometry().topLeft() - owner->frameGeometry().topLeft();
    QRect area(QPoint(), size());
    area.moveCenter(owner->geometry().center());
    if (const QScreen* screen = owner->screen()) {
        const QRect available = screen->availableGeometry();
        area.moveLeft(std::max(available.left() + frame.x(), std::min(area.left(), available.right() + 1 - width())));
        area.moveTop(std::max(available.top() + frame.y(), std::min(area.top(), available.bottom() + 1 - height())));
    }
    move(area.topLeft() - frame);
}

void AboutWindow::reject() {
    runHandler_([this] { form_.cmdOK_Click(); });
}

}  // namespace editor
