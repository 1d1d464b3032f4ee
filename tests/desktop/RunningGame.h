// The real game on the tests' X server, driven and watched only through the server, as its
// player would: its windows found by title, the pictures of its menu buttons where its window
// shows them, and keys that go down and up on the keyboard itself.
#pragma once
#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "tests/support/files/GameFolder.h"

class GUI_Button;

inline constexpr auto kPatience = std::chrono::seconds(5);

// The tests' own connection, open from the first test that needs it to the end: were every
// connection closed between two tests, the X server would reset and refuse the next a moment.
Display* Server();

// The shown top-level windows with this name, of that process when one is given (as the
// window says), bottom first.
std::vector<Window> AllNamed(Display* x, const std::string& name, pid_t process = 0);
// A shown top-level window with this name, or 0.
Window Named(Display* x, const std::string& name);

// The real game, started with settings in place of the environment's ("NAME=value"), from its
// program file in folder; its stderr goes to the file errors names, where one is named. 0 when
// it could not be started.
pid_t StartGame(const std::string& folder, const std::vector<std::string>& settings, const char* errors = nullptr);

// The key (a keysym) goes down or up on the keyboard itself: to the window with the focus.
void Key(Display* x, unsigned long keysym, bool down);

// Which of its two pictures the game's window shows of a menu button: at nine in ten of the
// points where they differ much, the screen has the one's colour, give or take what a screen
// of fewer colours makes of it; neither where the button is not on the screen. Points of
// neither black nor white, which a window not drawn yet also shows.
class ButtonOnScreen {
public:
    ButtonOnScreen(const std::string& folder, const GUI_Button& button, const char* plain, const char* rollover);
    bool Shows(Display* x, Window w, bool rollover) const;

private:
    struct Telling {
        int x, y;  // in the pictures
        uint32_t plain, rollover;
    };
    static int Distance(uint32_t a, uint32_t b);
    const GUI_Button& button_;
    std::vector<Telling> telling_;
};

// A menu button by its number and its two pictures.
struct ButtonLook {
    int index;
    const char* plain;
    const char* rollover;
};

// The game in a scratch folder of its own, with its sound off, the 800 x 600 picture and
// nothing on its PATH that could open its read-me; with a stats.dat it cannot write (a FIFO)
// when asked, which it tells in a box at start. Killed at the end.
class RunningGame {
public:
    explicit RunningGame(bool startUpBox);
    ~RunningGame();
    RunningGame(const RunningGame&) = delete;
    RunningGame& operator=(const RunningGame&) = delete;

    // The game's window once it is shown, 0 before; found within the patience.
    Window AwaitWindow();
    Window window() const { return window_; }
    // The game's windows other than its own, looked for at most every 10 ms: the server is
    // held for each look.
    std::vector<Window> Boxes() const;
    // Whether the window holds the keyboard by the deadline.
    bool AwaitKeyboard(Window w) const;
    // Whether the window shows the button, with its rollover picture or its plain one, by the
    // deadline; with neither when shown is false.
    bool AwaitButton(const ButtonLook& look, bool rollover, bool shown = true);

    Display* const x;
    GameFolder folder;

private:
    const ButtonOnScreen& Button(const ButtonLook& look);

    pid_t pid_ = 0;
    Window window_ = 0;
    std::map<int, ButtonOnScreen> buttons_;
};
