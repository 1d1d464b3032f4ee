#include "editor/qt/UpDownWidget.h"

#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace editor {

UpDownWidget::UpDownWidget(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto arrow = [this, layout](Qt::ArrowType type) {
        auto* button = new QToolButton(this);
        button->setArrowType(type);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
        return button;
    };
    up_ = arrow(Qt::UpArrow);
    down_ = arrow(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, &UpDownWidget::upClicked);
    connect(down_, &QToolButton::clicked, this, &UpDownWidget::downClicked);
}

bool UpDownWidget::event(QEvent* event) {
    if (event->type() == QEvent::WindowBlocked) {
        up_->setDown(false);  // also stops its repeats
        down_->setDown(false);
    }
    return QWidget::event(event);
}

}  // namespace editor
