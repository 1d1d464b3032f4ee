// What the editor asks of the window system around its windows: the Qt layer in the
// program, a recording stand-in in the tests.
#pragma once
#include <functional>
#include <string>

namespace platform {
class Window;
}

namespace editor {

// What a file dialog offers: its title, its one filter and the folder it opens in.
struct FileDialogRequest {
    std::string Title;
    std::string FilterName;     // as the filter list shows it
    std::string FilterPattern;  // the file names it lets through, e.g. "*.lvl"
    std::string StartFolder;
    std::string DefaultSuffix;  // saving: added to a name typed without one; "" for none
};

class EditorHost {
public:
    virtual ~EditorHost() = default;
    // The viewport as the graphics device's window: the device draws into it.
    virtual platform::Window& ViewportWindow() = 0;
    // Gives the keyboard focus back to the main window, so that its keys act again.
    virtual void FocusMainWindow() = 0;
    // Hands a text file to the desktop's text viewer; runs noViewer when none takes it, at
    // once or a moment later.
    virtual void OpenTextFile(const std::string& path, std::function<void()> noViewer) = 0;
    // Shows text in a read-only window of the editor's own, not modal.
    virtual void ShowText(const std::string& title, const std::string& text) = 0;
    // The full path of the file the user chose in an Open dialog, or "" when cancelled.
    virtual std::string ChooseFileToOpen(const FileDialogRequest& request) = 0;
    // The same for a Save dialog, which asks before replacing an existing file.
    virtual std::string ChooseFileToSave(const FileDialogRequest& request) = 0;
    // What the user wants done with a track that has changes no file holds, before it is
    // replaced or the editor ends.
    enum class UnsavedTrack { Save, Discard, Cancel };
    virtual UnsavedTrack AskAboutUnsavedTrack() = 0;
    // Closes the editor's windows and ends the program.
    virtual void EndProgram() = 0;
};

}  // namespace editor
