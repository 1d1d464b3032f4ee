// Benchmark of the level editor's CPU: the program started for real, left the way a user
// leaves it beside other work: idle on a new track in edit mode; idle on the shipped level 10
// in edit mode (its stars spin, so every frame draws); in play mode on level 1 with no key
// held. The tracks are opened through the Open dialog and play mode starts with F3, the keys
// sent to the windows as the X server would. Each figure is the growth of the process's user
// and system time (every thread) over a window of seconds, as cores, min / median / max over
// the runs. A bare window of the same size whose native OpenGL child window is cleared 25 times
// a second (bench_editor_floor) is measured in the same runs as the floor, also with the
// software renderer on one thread as the editor asks for it; with --before, a second program
// folder (the editor as it was) is measured in turn with each scenario.
// Usage, under an X server:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_editor build/bin [--before FOLDER] [quick] [runs]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tools/BenchProcess.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kEditorTitle = "Velorune Level Editor";
constexpr const char* kFloorTitle = "bench_editor floor";
// What the editor asks of Mesa's software renderer (see editor/qt/main.cpp), for the floor.
constexpr const char* kOneThread = "LP_NUM_THREADS=0";

void Sleep(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// The X server's side: finding the programs' windows by title and sending them keys.
class Desktop {
public:
    Desktop() : display_(XOpenDisplay(nullptr)) {
        // A window may go between listing it and asking its name: not an error here.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    ~Desktop() {
        if (display_) XCloseDisplay(display_);
    }
    bool Open() const { return display_ != nullptr; }

    // The window with the title, 0 when none shows it after `seconds`.
    Window WaitFor(const std::string& title, double seconds) const {
        for (double waited = 0; waited < seconds; waited += 0.1) {
            if (Window found = Find(DefaultRootWindow(display_), title)) return found;
            Sleep(0.1);
        }
        return 0;
    }
    bool Shows(const std::string& title) const { return Find(DefaultRootWindow(display_), title) != 0; }

    // Gives the window the keyboard focus, as a window manager would on a click: shortcuts act
    // only in the active window.
    void Focus(Window window) const {
        XSetInputFocus(display_, window, RevertToParent, CurrentTime);
        XFlush(display_);
        Sleep(0.3);
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
    // Letters, digits and dots.
    void Type(Window window, const std::string& text) const {
        for (char c : text) {
            const std::string sym = c == '.' ? "period" : std::string(1, c);
            Key(window, sym.c_str());
            Sleep(0.02);
        }
    }

private:
    Window Find(Window under, const std::string& title) const {
        char* name = nullptr;
        if (XFetchName(display_, under, &name) && name) {
            const bool same = title == name;
            XFree(name);
            if (same) return under;
        }
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
std::string ScratchProgramFolder(const fs::path& scratch, const std::string& name, const fs::path& from) {
    const fs::path folder = scratch / name;
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(from)) {
        const fs::path target = folder / entry.path().filename();
        if (entry.path().filename() == "VeloruneEdit") fs::copy_file(entry.path(), target);
        else if (entry.path().filename() != "tmp.trk") fs::create_symlink(fs::absolute(entry.path()), target);
    }
    return folder.string();
}

struct Scenario {
    std::string name;
    // Brings the started editor to the state measured; false when it did not get there.
    std::function<bool(const Desktop&, Window editor, const std::string& folder)> prepare;
};

// File > Open Track (Ctrl+O), the file's name typed into the dialog and Enter.
bool OpenTrack(const Desktop& desktop, Window editor, const std::string& file) {
    desktop.Focus(editor);
    desktop.Key(editor, "o", ControlMask);
    const Window dialog = desktop.WaitFor("Open", 10);
    if (!dialog) return false;
    Sleep(0.5);
    desktop.Focus(dialog);
    desktop.Type(dialog, file);
    desktop.Key(dialog, "Return");
    for (double waited = 0; waited < 10 && desktop.Shows("Open"); waited += 0.1) Sleep(0.1);
    return !desktop.Shows("Open");
}

std::vector<Scenario> Scenarios() {
    return {
        {"idle, new track, edit mode", [](const Desktop&, Window, const std::string&) { return true; }},
        {"level 10 open, edit mode",
         [](const Desktop& desktop, Window editor, const std::string&) {
             return OpenTrack(desktop, editor, "level10.lvl");
         }},
        {"level 1 open, play mode",
         [](const Desktop& desktop, Window editor, const std::string& folder) {
             if (!OpenTrack(desktop, editor, "level01.lvl")) return false;
             desktop.Focus(editor);
             desktop.Key(editor, "F3");
             Sleep(1);
             return fs::exists(folder + "/tmp.trk");  // play mode saved its snapshot
         }},
    };
}

struct Settings {
    double settleSeconds = 2, measureSeconds = 10;
    int runs = 5;
};

// Starts the program, waits for its window, prepares it and measures; -1 when it failed.
double Measure(const Desktop& desktop, const std::string& program, const std::string& title, const Scenario* scenario,
               const Settings& settings, const std::vector<std::string>& environment = {}) {
    bench::Process running(program, {}, environment);
    if (!running.Started()) return -1;
    const Window window = desktop.WaitFor(title, 30);
    if (!window) return -1;
    Sleep(1);
    if (scenario && !scenario->prepare(desktop, window, fs::path(program).parent_path().string())) return -1;
    Sleep(settings.settleSeconds);
    return running.CoresOver(std::chrono::duration<double>(settings.measureSeconds));
}

}  // namespace

int main(int argc, char** argv) {
    std::string after, before;
    Settings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--before" && i + 1 < argc) before = argv[++i];
        else if (arg == "quick") settings.measureSeconds = 3;
        else if (after.empty()) after = arg;
        else settings.runs = std::max(1, std::atoi(arg.c_str()));
    }
    if (after.empty()) {
        std::fprintf(stderr, "usage: bench_editor <program folder> [--before <program folder>] [quick] [runs]\n");
        return 2;
    }
    const Desktop desktop;
    if (!desktop.Open()) {
        std::fprintf(stderr, "bench_editor needs an X server\n");
        return 1;
    }
    std::error_code ec;
    const fs::path tools = fs::read_symlink("/proc/self/exe", ec).parent_path();
    const fs::path scratch = fs::temp_directory_path() / ("bench_editor_" + std::to_string(getpid()));
    std::map<std::string, std::string> programs = {{"after", ScratchProgramFolder(scratch, "after", after)}};
    if (!before.empty()) programs["before"] = ScratchProgramFolder(scratch, "before", before);

    const std::vector<Scenario> scenarios = Scenarios();
    std::vector<double> floor, floorOneThread;
    std::map<std::string, std::vector<double>> cores;  // by scenario and program
    bool failed = false;
    for (int run = 0; run < settings.runs && !failed; ++run) {
        const std::string floorProgram = (tools / "bench_editor_floor").string();
        floor.push_back(Measure(desktop, floorProgram, kFloorTitle, nullptr, settings));
        floorOneThread.push_back(Measure(desktop, floorProgram, kFloorTitle, nullptr, settings, {kOneThread}));
        for (const Scenario& scenario : scenarios) {
            for (const auto& [name, folder] : programs) {
                const double measured = Measure(desktop, folder + "/VeloruneEdit", kEditorTitle, &scenario, settings);
                if (measured < 0) {
                    std::fprintf(stderr, "%s: %s did not get there\n", name.c_str(), scenario.name.c_str());
                    failed = true;
                }
                cores[scenario.name + " (" + name + ")"].push_back(measured);
            }
        }
        std::fprintf(stderr, "run %d of %d done\n", run + 1, settings.runs);
    }
    fs::remove_all(scratch, ec);
    if (failed) return 1;
    std::printf("Editor CPU, cores: min / median / max over %d runs of %.0f s\n", settings.runs,
                settings.measureSeconds);
    bench::ReportCores("floor: native GL window, 25 clears a second", floor);
    bench::ReportCores("the same, software renderer on one thread", floorOneThread);
    for (const Scenario& scenario : scenarios)
        for (const char* name : {"before", "after"})
            if (programs.count(name)) {
                const std::string what = scenario.name + " (" + name + ")";
                bench::ReportCores(what, cores[what]);
            }
    return 0;
}
