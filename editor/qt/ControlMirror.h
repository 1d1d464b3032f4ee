// Shows the controls' models in their widgets: after every handler and every frame the
// editor's window refreshes all of them. The writes go in with the widgets' signals blocked,
// so that only the user's own actions reach the handlers.
#pragma once
#include <functional>
#include <vector>

#include "editor/Controls.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;

namespace editor {

class UpDownWidget;

class ControlMirror {
public:
    void Add(const Label& model, QLabel* widget);
    void Add(const TextBox& model, QLineEdit* widget);
    void Add(const SpinControl& model, UpDownWidget* widget);
    void Add(const ComboBox& model, QComboBox* widget);
    void Add(const CheckBox& model, QCheckBox* widget);
    void Add(const CommandButton& model, QPushButton* widget);
    void Add(const MenuItem& model, QAction* widget);
    void Add(const ScrollBar& model, QScrollBar* widget);
    void Add(const FileListBox& model, QListWidget* widget);

    void Refresh() const;

private:
    std::vector<std::function<void()>> refreshers_;
};

}  // namespace editor
