#include "tests/desktop/RunningGame.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/formats/TextureImage.h"
#include "shared/BinaryFile.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/xserver/XWindows.h"
#include "tests/support/xserver/XPlayerInput.h"

Display* Server() {
    static Display* const x = [] {
        Display* opened = nullptr;
        WaitUntil([&] { return (opened = XOpenDisplay(nullptr)) != nullptr; }, kPatience);  // one a reset refused
        return opened;
    }();
    return x;
}

// The server is held meanwhile: no window may close between the listing and the looking
// (those of a connection just closed linger until the server has cleaned up after it), else
// the look fails with an X error.
std::vector<Window> AllNamed(Display* x, const std::string& name, pid_t process) {
    XGrabServer(x);
    Window root = 0, parent = 0, *children = nullptr;
    std::vector<Window> found;
    unsigned int count = 0;
    XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count; ++i) {
        char* title = nullptr;
        XWindowAttributes a{};
        if (XFetchName(x, children[i], &title) && title && name == title && XGetWindowAttributes(x, children[i], &a) &&
            a.map_state == IsViewable && (!process || ProcessOf(x, children[i]) == process))
            found.push_back(children[i]);
        if (title) XFree(title);
    }
    if (children) XFree(children);
    XUngrabServer(x);
    XSync(x, False);
    return found;
}

Window Named(Display* x, const std::string& name) {
    const std::vector<Window> all = AllNamed(x, name);
    return all.empty() ? 0 : all.front();
}

pid_t StartGame(const std::string& folder, const std::vector<std::string>& settings, const char* errors) {
    std::vector<std::string> environment = settings;
    environment.emplace_back("SDL_AUDIODRIVER=dummy");
    for (char** e = environ; *e; ++e) environment.emplace_back(*e);  // the first of a name counts
    std::vector<char*> pointers;
    for (std::string& s : environment) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    std::string program = folder + "/Velorune";
    char* arguments[] = {program.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (errors) posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t game = 0;
    if (posix_spawn(&game, program.c_str(), &actions, nullptr, arguments, pointers.data()) != 0) game = 0;
    posix_spawn_file_actions_destroy(&actions);
    return game;
}

void Key(Display* x, unsigned long keysym, bool down) {
    XTestFakeKeyEvent(x, XKeysymToKeycode(x, keysym), down ? True : False, CurrentTime);
    XSync(x, False);
}

ButtonOnScreen::ButtonOnScreen(const std::string& folder, const GUI_Button& button, const char* plain,
                               const char* rollover)
    : button_(button) {
    const auto a = d3d::DecodeTextureFile(folder + "/" + plain, {}, 4096);
    const auto b = d3d::DecodeTextureFile(folder + "/" + rollover, {}, 4096);
    if (!a || !b || a->Width != b->Width || a->Height != b->Height) return;
    const auto midTone = [](uint32_t c) { return Distance(c, 0) > 96 && Distance(c, 0xFFFFFF) > 96; };
    for (int y = 0; y < a->Height; ++y)
        for (int x = 0; x < a->Width; ++x) {
            const uint32_t p = a->ArgbAt(x, y), r = b->ArgbAt(x, y);
            if (Distance(p, r) > 192 && midTone(p) && midTone(r)) telling_.push_back({x, y, p, r});
        }
}

bool ButtonOnScreen::Shows(Display* x, Window w, bool rollover) const {
    if (telling_.empty()) return false;
    // The picture's corners on the screen, and the button's part of the screen.
    const xinput::WindowPoint origin = xinput::PointOnDrawn(x, w, 0, 0, 800, 600);
    const xinput::WindowPoint end = xinput::PointOnDrawn(x, w, 800, 600, 800, 600);
    const auto onScreen = [&](float px, float py) {
        return std::pair{origin.rootX + static_cast<int>(px * static_cast<float>(end.rootX - origin.rootX) / 800),
                         origin.rootY + static_cast<int>(py * static_cast<float>(end.rootY - origin.rootY) / 600)};
    };
    const auto [left, top] = onScreen(button_.X(), button_.Y());
    const auto [right, bottom] =
        onScreen(button_.X() + static_cast<float>(button_.width()), button_.Y() + static_cast<float>(button_.height()));
    if (right <= left || bottom <= top) return false;
    XImage* image = XGetImage(x, DefaultRootWindow(x), left, top, static_cast<unsigned>(right - left),
                              static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
    if (!image) return false;
    size_t alike = 0;
    for (const Telling& t : telling_) {
        const auto [sx, sy] =
            onScreen(button_.X() + static_cast<float>(t.x) + 0.5f, button_.Y() + static_cast<float>(t.y) + 0.5f);
        const auto shown = static_cast<uint32_t>(XGetPixel(image, sx - left, sy - top));
        if (4 * Distance(shown, rollover ? t.rollover : t.plain) < Distance(t.plain, t.rollover)) ++alike;
    }
    XDestroyImage(image);
    return 10 * alike >= 9 * telling_.size();
}

int ButtonOnScreen::Distance(uint32_t a, uint32_t b) {
    int d = 0;
    for (int shift : {0, 8, 16})
        d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return d;
}

RunningGame::RunningGame(bool startUpBox) : x(Server()) {
    std::filesystem::copy_file(VELORUNE_ASSETS_DIR "/Velorune", folder.File("Velorune"));
    uint8_t options[12];
    BinaryFile::PutInt32(options, 0);          // music off
    BinaryFile::PutInt32(options + 4, -2000);  // effects off
    BinaryFile::PutInt32(options + 8, 1);      // 800 x 600
    folder.Write("options.dat", std::vector<uint8_t>(options, options + sizeof options));
    if (startUpBox && mkfifo(folder.File("stats.dat").c_str(), 0644) != 0) return;
    if (x && xinput::PlaceButtons(folder.Path())) pid_ = StartGame(folder.Path(), {"PATH=/nonexistent"});
}

RunningGame::~RunningGame() {
    if (!pid_) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

// The game's window is shown before any box, which comes over it: the bottom one of its name
// and its process (a game of a test before may linger on the server a moment).
Window RunningGame::AwaitWindow() {
    if (pid_) WaitUntil([&] {
        const std::vector<Window> all = AllNamed(x, "Velorune", pid_);
        window_ = all.empty() ? 0 : all.front();
        return window_ != 0;
    }, kPatience);
    return window_;
}

std::vector<Window> RunningGame::Boxes() const {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::vector<Window> all = AllNamed(x, "Velorune", pid_);
    std::erase(all, window_);
    return all;
}

bool RunningGame::AwaitKeyboard(Window w) const {
    return WaitUntil([&] { return HoldsKeyboard(x, w); }, kPatience);
}

bool RunningGame::AwaitButton(const ButtonLook& look, bool rollover, bool shown) {
    const ButtonOnScreen& button = Button(look);
    return WaitUntil([&] {
        if (shown) return button.Shows(x, window_, rollover);
        return !button.Shows(x, window_, false) && !button.Shows(x, window_, true);
    }, kPatience);
}

const ButtonOnScreen& RunningGame::Button(const ButtonLook& look) {
    return buttons_.try_emplace(look.index, folder.Path(), gButtons[look.index], look.plain, look.rollover)
        .first->second;
}
