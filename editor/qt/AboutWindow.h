// The About window on Qt: a small window of its own, not modal, showing frmAbout. It stays
// above the main window, opens over its middle, and every About brings it to the front.
#pragma once
#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace editor {

class AboutForm;

class AboutWindow : public QDialog {
public:
    // runHandler runs a handler the way the main window runs its own (see EditorWindow); owner
    // is the main window.
    AboutWindow(AboutForm& form, std::function<void(const std::function<void()>&)> runHandler, QWidget* owner);

    // Shows the form's captions and its visibility.
    void Refresh();

    // Esc and the title bar's close button do what OK does.
    void reject() override;

private:
    void PlaceOverOwner();

    AboutForm& form_;
    std::function<void(const std::function<void()>&)> runHandler_;
    QLabel* icon_;
    QLabel* title_;
    QLabel* version_;
    QLabel* label1_;
    QLabel* description_;
    QPushButton* ok_;
    int shownFor_ = 0;  // the form's ShowCount when the window last came to the front
};

}  // namespace editor
