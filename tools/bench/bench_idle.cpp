// Benchmark of what the game costs when left alone: the CPU of its process in the main menu,
// on the level-select screen, behind the pause menu, and in play standing at the start of
// level 1, each the growth of the process's user and system time (/proc/PID/stat) over a
// stretch of seconds. The game is the program of each folder given, started in a scratch copy
// of that folder as a player starts it and led from screen to screen with clicks and keys sent
// to its window, the games in turn in every run, the one first turning from run to run; the
// bare SDL window of floor_sdl is measured the same way beside it, waiting and showing 25
// frames a second. Each figure as min / median / max over the runs; under each later folder's,
// the first folder's median over its own.
// Under an X server, as the game runs (quick: 3 s stretches instead of 10):
//   SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_idle
//       build/tools/floor_sdl build/bin [before/bin] [quick] [runs]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "game/OptionsFile.h"
#include "platform/Paths.h"
#include "tools/bench/BenchBuilds.h"
#include "tools/bench/BenchProcess.h"
#include "tools/bench/BenchScreen.h"
#include "tests/support/xserver/XPlayerInput.h"

namespace {

using namespace std::chrono_literals;

constexpr int kRuns = 5;
constexpr auto kSettle = 1500ms;  // after a screen change, before its stretch begins
constexpr int kBackBufferWidth = 800, kBackBufferHeight = 600;

void Sleep(std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }

// The game's window and what it takes to play it from outside.
class Player {
public:
    explicit Player(Display* x) : x_(x) {}

    bool WaitForWindow(const char* name, pid_t pid) {
        for (int i = 0; i < 200 && !window_; ++i) {
            if (waitpid(pid, nullptr, WNOHANG) == pid) return false;
            window_ = Find(DefaultRootWindow(x_), name);
            if (!window_) Sleep(50ms);
        }
        if (!window_) return false;
        Sleep(500ms);
        XSetInputFocus(x_, window_, RevertToParent, CurrentTime);
        XFlush(x_);
        return true;
    }

    void Click(int32_t button) { xinput::ClickOnDrawn(x_, window_, gButtons[button], kBackBufferWidth, kBackBufferHeight); }
    // Held long enough for play, which reads the keys once a step.
    void Key(KeySym key) { xinput::PressKey(x_, window_, key, 150ms); }

private:
    Window Find(Window w, const char* name) {
        char* title = nullptr;
        const bool match = XFetchName(x_, w, &title) && title && std::string(title) == name;
        if (title) XFree(title);
        if (match) return w;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        Window found = 0;
        if (XQueryTree(x_, w, &root, &parent, &children, &count))
            for (unsigned int i = 0; i < count && !found; ++i) found = Find(children[i], name);
        if (children) XFree(children);
        return found;
    }

    Display* x_;
    Window window_ = 0;
};

struct GameFigures {
    std::vector<double> menu, levelSelect, pause, playing;
};

// A game measured: the folder given, its scratch copy and its figures.
struct Build {
    std::string given;
    std::unique_ptr<bench::ScratchGame> scratch;
    GameFigures figures;
};

// One run of the game in folder: start, each screen in turn, quit.
bool MeasureGame(Display* x, const std::string& folder, std::chrono::seconds stretch, GameFigures& figures) {
    gOptions = GameOptions{0, -2000, 1};  // silent, 800 x 600
    platform::SetProgramFolder(folder);
    optionsDat::SaveOptions();
    std::filesystem::remove(folder + "/stats.dat");
    bench::Process game(folder + "/Velorune");
    Player player(x);
    if (!game.Started() || !player.WaitForWindow("Velorune", game.Pid())) return false;
    Sleep(kSettle);
    figures.menu.push_back(game.CoresOver(stretch));
    player.Click(19);  // play: the zone menu
    Sleep(500ms);
    player.Click(4);  // zone A: its first level
    Sleep(kSettle);
    figures.levelSelect.push_back(game.CoresOver(stretch));
    player.Click(26);  // play the track
    Sleep(kSettle);
    figures.playing.push_back(game.CoresOver(stretch));
    player.Key(XK_Escape);
    Sleep(kSettle);
    figures.pause.push_back(game.CoresOver(stretch));
    player.Click(33);  // to the main menu
    Sleep(500ms);
    player.Click(23);  // quit
    game.Ended(3s);
    return true;
}

double MeasureFloor(const std::string& floor, const std::vector<std::string>& arguments, std::chrono::seconds stretch) {
    bench::Process program(floor, arguments);
    Sleep(kSettle);
    return program.CoresOver(stretch);
}

}  // namespace

int main(int argc, char** argv) {
    const bench::Arguments args =
        bench::ReadArguments(argc, argv, {.tool = "bench_idle", .floor = "floor_sdl",
                                          .earlier = bench::CommandLine::kAny});
    Display* x = XOpenDisplay(nullptr);
    if (!x) return 1;
    const std::chrono::seconds stretch = args.quick ? 3s : 10s;
    const int runs = args.runs ? args.runs : kRuns;
    std::printf("== CPU left alone, in cores over %lld s (min / median / max of %d runs)\n",
                static_cast<long long>(stretch.count()), runs);

    std::vector<double> waiting, frames;
    for (int run = 0; run < runs; ++run) {
        waiting.push_back(MeasureFloor(args.floor, {}, stretch));
        frames.push_back(MeasureFloor(args.floor, {"25"}, stretch));
    }
    std::printf("bare SDL window\n");
    bench::ReportCores("waiting, keys read at every refresh", waiting);
    bench::ReportCores("25 cleared frames a second", frames);

    std::vector<Build> builds;
    for (const std::string& given : args.Builds()) {
        const int number = static_cast<int>(builds.size());
        builds.push_back({given, std::make_unique<bench::ScratchGame>(given, "bench_idle", number), {}});
    }
    for (int run = 0; run < runs; ++run)
        for (Build* build : bench::InTurn(builds, run)) {
            // The buttons are where this game's pictures place them.
            if (!xinput::PlaceButtons(build->scratch->Folder())) {
                std::fprintf(stderr, "bench_idle: %s has no menu pictures\n", build->given.c_str());
                return 1;
            }
            if (!MeasureGame(x, build->scratch->Folder(), stretch, build->figures)) {
                std::fprintf(stderr, "bench_idle: the game of %s did not show its window\n", build->given.c_str());
                return 1;
            }
        }
    for (const Build& build : builds) {
        std::printf("%s\n", build.given.c_str());
        const GameFigures& first = builds.front().figures;
        for (const auto& [what, cores, firsts] :
             {std::tuple{"main menu", &build.figures.menu, &first.menu},
              std::tuple{"level select, level 1", &build.figures.levelSelect, &first.levelSelect},
              std::tuple{"pause menu over level 1", &build.figures.pause, &first.pause},
              std::tuple{"playing level 1, standing at the start", &build.figures.playing, &first.playing}}) {
            bench::ReportCores(what, *cores);
            if (&build != &builds.front()) bench::ReportRatio(48, "  first folder / this one", *firsts, *cores);
        }
    }
    XCloseDisplay(x);
    return 0;
}
