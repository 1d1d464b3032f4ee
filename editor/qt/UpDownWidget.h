// A spin control on Qt: two arrow buttons, up above down, that repeat while held. It shows
// no number of its own: the text box beside it does. A modal window that opens over it (a
// refusal's message box) lets go of a held arrow: the box takes the mouse's release, and the
// arrow would otherwise repeat under it without end.
#pragma once
#include <QWidget>

class QToolButton;

namespace editor {

class UpDownWidget : public QWidget {
    Q_OBJECT
public:
    explicit UpDownWidget(QWidget* parent);

    // The model's value and range, kept for tests and tools to read.
    int Value = 0, Min = 0, Max = 0;

signals:
    void upClicked();
    void downClicked();

protected:
    bool event(QEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace editor
