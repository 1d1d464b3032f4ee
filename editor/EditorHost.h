// What the editor asks of the window system around its windows: the Qt layer in the
// program, a recording stand-in in the tests.
#pragma once
#include <string>

namespace platform {
class Window;
}

namespace editor {

class EditorHost {
public:
    virtual ~EditorHost() = default;
    // The viewport as the graphics device's window: the device draws into it.
    virtual platform::Window& ViewportWindow() = 0;
    // Gives the keyboard focus back to the main window, so that its keys act again.
    virtual void FocusMainWindow() = 0;
    // Shows a text file in the desktop's text viewer; a missing file or viewer shows nothing.
    virtual void OpenTextFile(const std::string& path) = 0;
    // Closes the editor's windows and ends the program.
    virtual void EndProgram() = 0;
};

}  // namespace editor
