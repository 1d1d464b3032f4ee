// The level editor driven from outside, as its user drives it, for the benchmarks that start
// it for real: its windows found by title on the X server, keys sent to them as the server
// would, tracks opened through its Open dialog, and a scratch copy of its program folder.
#pragma once
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace bench {

inline constexpr const char* kEditorTitle = "Velorune Level Editor";

inline void Sleep(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// The X server's side: finding the programs' windows by title and sending them keys.
class Desktop {
public:
    // A benchmark whose X server refuses it ends here, told why, as one without a server does.
    Desktop() : display_(XOpenDisplay(nullptr)) {
        if (!display_) {
            const char* name = std::getenv("DISPLAY");
            std::fprintf(stderr, "the X server %s refused a connection\n", name ? name : "(DISPLAY unset)");
            std::exit(1);
        }
        // A window may go between listing it and asking its name: not an error here.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    ~Desktop() { XCloseDisplay(display_); }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The window with the title, 0 when none shows it after `seconds`.
    Window WaitFor(const std::string& title, double seconds) const {
        for (double waited = 0; waited < seconds; waited += 0.1) {
            if (Window found = Find(DefaultRootWindow(display_), title)) return found;
            Sleep(0.1);
        }
        return 0;
    }
    bool Shows(const std::string& title) const { return Find(DefaultRootWindow(display_), title) != 0; }
    // The windows on the screen that have the title: a program's box may share its window's.
    std::vector<Window> All(const std::string& title) const {
        std::vector<Window> found;
        AllUnder(DefaultRootWindow(display_), title, found);
        return found;
    }

    // Gives the window the keyboard focus, as a window manager would on a click: shortcuts act
    // only in the active window, once it has taken the focus (settle).
    void Focus(Window window, double settle = 0.3) const {
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
        XFlush(display_);
        Sleep(settle);
    }
    // A press and release of the key with the modifier mask (ControlMask, ...).
    void Key(Window window, const char* keysym, unsigned modifiers = 0) const {
        XKeyEvent event{};
        event.display = display_;
        event.window = window;
        event.root = DefaultRootWindow(display_);
        event.time = CurrentTime;
        event.same_screen = True;
        event.keycode = XKeysymToKeycode(display_, XStringToKeysym(keysym));
        event.state = modifiers;
        for (int type : {KeyPress, KeyRelease}) {
            event.type = type;
            XSendEvent(display_, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
                       reinterpret_cast<XEvent*>(&event));
        }
        XFlush(display_);
    }
    // A click of the left button at the point of the window, the pointer moved there first, as
    // the user's own pointer would (the program needs libXtst linked).
    void Click(Window window, int x, int y) const {
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(display_, window, DefaultRootWindow(display_), x, y, &rootX, &rootY, &child);
        XTestFakeMotionEvent(display_, -1, rootX, rootY, CurrentTime);
        XTestFakeButtonEvent(display_, Button1, True, CurrentTime);
        XTestFakeButtonEvent(display_, Button1, False, CurrentTime);
        XFlush(display_);
    }
    // A press and release of the key as the keyboard makes them, to the window that has the
    // keyboard (the program needs libXtst linked): a box that waits for a key pressed while it
    // shows takes no key sent to it alone.
    void Press(const char* keysym) const {
        const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysym));
        XTestFakeKeyEvent(display_, code, True, CurrentTime);
        XTestFakeKeyEvent(display_, code, False, CurrentTime);
        XFlush(display_);
    }
    // Letters, digits and dots.
    void Type(Window window, const std::string& text) const {
        for (char c : text) {
            const std::string sym = c == '.' ? "period" : std::string(1, c);
            Key(window, sym.c_str());
            Sleep(0.02);
        }
    }

    // The window's picture in the rectangle, as the X server holds it; empty when it cannot
    // be read.
    std::vector<char> Pixels(Window window, int x, int y, unsigned width, unsigned height) const {
        XImage* image = XGetImage(display_, window, x, y, width, height, AllPlanes, ZPixmap);
        if (!image) return {};
        std::vector<char> bytes(image->data, image->data + static_cast<size_t>(image->bytes_per_line) * height);
        XDestroyImage(image);
        return bytes;
    }
    // The window's height in pixels; 0 when it cannot be read.
    int Height(Window window) const {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display_, window, &attributes) ? attributes.height : 0;
    }

private:
    bool Named(Window window, const std::string& title) const {
        char* name = nullptr;
        const bool named = XFetchName(display_, window, &name) && name && title == name;
        if (name) XFree(name);
        return named;
    }
    void AllUnder(Window under, const std::string& title, std::vector<Window>& found) const {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display_, under, &attributes) || attributes.map_state != IsViewable) return;
        if (Named(under, title)) found.push_back(under);
        Window root = 0, parent = 0, *children = nullptr;
        unsigned n = 0;
        if (XQueryTree(display_, under, &root, &parent, &children, &n))
            for (unsigned i = 0; i < n; ++i) AllUnder(children[i], title, found);
        if (children) XFree(children);
    }
    Window Find(Window under, const std::string& title) const {
        if (Named(under, title)) return under;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, under, &root, &parent, &children, &count)) return 0;
        Window found = 0;
        for (unsigned i = 0; i < count && !found; ++i) found = Find(children[i], title);
        if (children) XFree(children);
        return found;
    }

    Display* display_;
};

// A scratch program folder: a copy of the program beside links to everything else of its
// folder, so that what the program writes (the play-mode snapshot) stays out of the original.
inline std::string ScratchProgramFolder(const std::filesystem::path& scratch, const std::string& name,
                                        const std::filesystem::path& from) {
    namespace fs = std::filesystem;
    const fs::path folder = scratch / name;
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(from)) {
        const fs::path target = folder / entry.path().filename();
        if (entry.path().filename() == "VeloruneEdit") fs::copy_file(entry.path(), target);
        else if (entry.path().filename() != "tmp.trk") fs::create_symlink(fs::absolute(entry.path()), target);
    }
    return folder.string();
}

// File > Open Track (Ctrl+O), the file's name typed into the dialog and Enter.
inline bool OpenTrack(const Desktop& desktop, Window editor, const std::string& file) {
    desktop.Focus(editor);
    desktop.Key(editor, "o", ControlMask);
    const Window dialog = desktop.WaitFor("Open", 10);
    if (!dialog) return false;
    Sleep(0.5);
    desktop.Focus(dialog);
    desktop.Type(dialog, file);
    desktop.Key(dialog, "Return");
    // Where the name box's completion list took the first Enter, a second one opens the file.
    for (double waited = 0; waited < 1 && desktop.Shows("Open"); waited += 0.1) Sleep(0.1);
    if (desktop.Shows("Open")) desktop.Key(dialog, "Return");
    for (double waited = 0; waited < 10 && desktop.Shows("Open"); waited += 0.1) Sleep(0.1);
    return !desktop.Shows("Open");
}

}  // namespace bench
