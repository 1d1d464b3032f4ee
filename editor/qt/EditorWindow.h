// The editor's main window on Qt: the menus, the viewport with its scroll bar, the texture
// list and the property panel, laid out as the program has them, and the main loop on a
// timer. The window keeps no state of its own: it shows frmMain's controls, and every user
// action runs frmMain's handler for it (see RunHandler).
#pragma once
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

#include "editor/EditorHost.h"
#include "editor/frmMainEvents.h"
#include "editor/qt/ControlMirror.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QScrollBar;

namespace editor {

class AboutWindow;
class BoxKeysOncePerPress;
class ClickFocus;
class KeyEditing;
class KeyboardAfterBoxes;
class MainForm;
class TextWindow;
class UpDownWidget;
class NativeViewport;

class EditorWindow : public QMainWindow, public EditorHost {
public:
    explicit EditorWindow(MainForm& form);
    ~EditorWindow() override;

    // Start-up (frmMain.Form_Load), then the main loop until the program ends.
    void Start();

    // Runs a handler as the window's events run: the device's context current, no frame while
    // it runs (nor while a message box it opens is up), and every control shown again after it.
    void RunHandler(const std::function<void()>& handler);
    // Shows every control of both windows from its model.
    void Refresh();
    // Ends the program as the window's close does, without asking about unsaved changes: the
    // system asked it to end.
    void Unload();

    platform::Window& ViewportWindow() override;
    void FocusMainWindow() override;
    void OpenTextFile(const std::string& path, std::function<void()> noViewer) override;
    void ShowText(const std::string& title, const std::string& text) override;
    std::string ChooseFileToOpen(const FileDialogRequest& request) override;
    std::string ChooseFileToSave(const FileDialogRequest& request) override;
    UnsavedTrack AskAboutUnsavedTrack() override;
    void EndProgram() override;

    NativeViewport& Viewport() { return *viewport_; }
    AboutWindow& About() { return *about_; }
    // The action of a menu entry or title; nullptr for an item without one.
    QAction* ActionOf(const MenuItem& item) const;
    QWidget* WidgetOf(const void* control) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildTopArea(QWidget* client);
    void BuildPanel(QWidget* client);
    void ConnectEvents();
    void LoopTick();

    template <class Widget, class Model>
    Widget* Place(Widget* widget, const Model& model, QRect geometry);

    MainForm& form_;
    frmMainEvents events_;
    ControlMirror mirror_;
    NativeViewport* viewport_ = nullptr;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<KeyEditing> keyEditing_;
    std::unique_ptr<KeyboardAfterBoxes> keyboardAfterBoxes_;
    std::unique_ptr<ClickFocus> clickFocus_;
    std::unique_ptr<BoxKeysOncePerPress> boxKeys_;
    std::unique_ptr<TextWindow> textWindow_;
    std::map<const MenuItem*, QAction*> actions_;
    std::map<const void*, QWidget*> widgets_;
    QTimer loop_;
    int handlerDepth_ = 0;
    bool ending_ = false;
};

}  // namespace editor
