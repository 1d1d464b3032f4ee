// How soon a menu key shows: the milliseconds from a key going down on the X server's keyboard
// (XTest, as a player's key arrives) to the screen showing the frame it brought, in the main
// menu of the game full screen at 1024 x 768. Two keys a start: Down as soon as the main menu's
// first frame is on the screen, and Up once the menu has been left alone for 2.5 s; each start
// once with the shader cache as earlier starts left it and once with none (a player's very
// first start). The game is the program of each folder given, started in a scratch copy of
// it, the folders in turn in every round, the one first turning from round to round. What
// each key changes on the screen is learned first from a start of each program: the screen is
// then watched only there, and the time is that of the first read in which it differs.
// Reports min / median / p95 / max in milliseconds; under each later folder's, the first
// folder's median over its own.
// Under an X server, as the game runs (quick: 5 rounds instead of 10):
//   SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_menu_keys
//       build/bin [before/bin ...] [quick] [rounds]
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tools/bench/BenchBuilds.h"
#include "tools/bench/BenchProcess.h"
#include "tools/bench/BenchScreen.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kSettle = 3s;  // for a program left alone to show what it keeps showing
constexpr auto kIdle = 2500ms;
constexpr auto kGiveUp = 10s;

void Key(Display* x, KeySym key, bool down) {
    XTestFakeKeyEvent(x, XKeysymToKeycode(x, key), down ? True : False, CurrentTime);
    XSync(x, False);
}

// Whether some window holds the keyboard, by the deadline: the game's own, once it is up (the
// only window on a server without a window manager).
bool KeyboardTaken(Display* x, bench::Clock::time_point deadline) {
    for (;;) {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(x, &focus, &revert);
        if (focus != None && focus != PointerRoot && focus != DefaultRootWindow(x)) return true;
        if (bench::Clock::now() > deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
}

// Reads the screen until it settles: the same twice, 300 ms apart.
bench::Pixels Settled(Display* x) {
    bench::Pixels last = bench::ReadRect(x, bench::WholeScreen(x));
    for (;;) {
        std::this_thread::sleep_for(300ms);
        bench::Pixels now = bench::ReadRect(x, bench::WholeScreen(x));
        if (now == last) return now;
        last = std::move(now);
    }
}

// The screen once a key held until it changed the screen has been let go and the screen has
// settled; the screen as before when the key changes nothing.
bench::Pixels AfterKey(Display* x, KeySym key, const bench::Pixels& before) {
    const auto start = bench::Clock::now();
    Key(x, key, true);
    while (bench::ReadRect(x, bench::WholeScreen(x)) == before && bench::Clock::now() - start < kGiveUp)
        std::this_thread::sleep_for(10ms);
    Key(x, key, false);
    return Settled(x);
}

// What a program shows in its main menu, and where Down and then Up change it.
struct Learned {
    bench::Pixels menuRows;
    bench::Rect downArea, upArea;
    bench::Pixels beforeDown, beforeUp;  // the areas before their keys
};

std::optional<Learned> Learn(Display* x, const std::string& program) {
    bench::Blacken(x);
    bench::Process game(program);
    if (!game.Started() || !KeyboardTaken(x, bench::Clock::now() + kGiveUp)) return std::nullopt;
    std::this_thread::sleep_for(kSettle);
    const bench::Pixels menu = Settled(x);
    Learned learned;
    learned.menuRows = bench::ReadRows(x);
    const bench::Pixels afterDown = AfterKey(x, XK_Down, menu);
    const bench::Pixels afterUp = AfterKey(x, XK_Up, afterDown);
    learned.downArea = bench::Difference(x, menu, afterDown);
    learned.upArea = bench::Difference(x, afterDown, afterUp);
    if (learned.downArea.Empty() || learned.upArea.Empty() || game.Ended(0s)) return std::nullopt;
    learned.beforeDown = bench::Within(x, menu, learned.downArea);
    learned.beforeUp = bench::Within(x, afterDown, learned.upArea);
    return learned;
}

// Milliseconds from the key going down until the area differs from before; nothing when it
// never does.
std::optional<double> TimeKey(Display* x, KeySym key, const bench::Rect& area, const bench::Pixels& before) {
    const auto start = bench::Clock::now();
    Key(x, key, true);
    std::optional<double> ms;
    while (!ms && bench::Clock::now() - start < kGiveUp) {
        if (bench::ReadRect(x, area) != before) ms = bench::MsBetween(start, bench::Clock::now());
        else std::this_thread::sleep_for(100us);
    }
    Key(x, key, false);
    return ms;
}

struct Measured {
    std::string folder, program;
    Learned learned;
    std::vector<double> firstFrame, idle;
};

// One start: Down at the main menu's first frame, Up after the menu was left alone.
bool MeasureStart(Display* x, Measured& m, const std::vector<std::string>& settings) {
    bench::Blacken(x);
    const auto start = bench::Clock::now();
    bench::Process game(m.program, {}, settings);
    if (!game.Started()) return false;
    while (bench::ReadRows(x) != m.learned.menuRows) {
        if (game.Ended(0s) || bench::Clock::now() - start > kGiveUp) return false;
        std::this_thread::sleep_for(200us);
    }
    if (!KeyboardTaken(x, bench::Clock::now() + kGiveUp)) return false;
    const std::optional<double> down = TimeKey(x, XK_Down, m.learned.downArea, m.learned.beforeDown);
    if (!down) return false;
    m.firstFrame.push_back(*down);
    std::this_thread::sleep_for(kIdle);
    const std::optional<double> up = TimeKey(x, XK_Up, m.learned.upArea, m.learned.beforeUp);
    if (!up) return false;
    m.idle.push_back(*up);
    return true;
}

bool MeasureRounds(Display* x, std::vector<Measured>& programs, int rounds, const std::vector<std::string>& settings) {
    for (Measured& m : programs) m.firstFrame.clear(), m.idle.clear();
    for (int round = 0; round < rounds; ++round)
        for (Measured* m : bench::InTurn(programs, round))
            if (!MeasureStart(x, *m, settings)) {
                std::fprintf(stderr, "bench_menu_keys: %s did not show a key\n", m->folder.c_str());
                return false;
            }
    const Measured& first = programs.front();
    for (const Measured& m : programs) {
        std::printf("  %s\n", m.folder.c_str());
        for (const auto& [what, ms, firsts] :
             {std::tuple{"Down at the main menu's first frame", &m.firstFrame, &first.firstFrame},
              std::tuple{"Up on the menu left alone for 2.5 s", &m.idle, &first.idle}}) {
            std::printf("    %-40s %s ms\n", what, bench::Text(bench::Summarise(*ms), 1).c_str());
            if (&m != &first) bench::ReportRatio(42, "    first folder / this one", *firsts, *ms);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bench::Arguments args =
        bench::ReadArguments(argc, argv, {.tool = "bench_menu_keys", .earlier = bench::CommandLine::kAny});
    Display* x = XOpenDisplay(nullptr);
    if (!x) return 1;
    const int rounds = args.runs ? args.runs : args.quick ? 5 : 10;
    std::vector<std::unique_ptr<bench::ScratchGame>> games;
    std::vector<Measured> programs;
    for (const std::string& folder : args.Builds()) {
        games.push_back(std::make_unique<bench::ScratchGame>(folder, "bench_menu_keys", static_cast<int>(games.size())));
        Measured m{folder, games.back()->Program(), {}, {}, {}};
        const std::optional<Learned> learned = Learn(x, m.program);
        if (!learned) {
            std::fprintf(stderr, "bench_menu_keys: %s showed no main menu that Down and Up change\n", folder.c_str());
            return 1;
        }
        m.learned = *learned;
        programs.push_back(std::move(m));
    }
    std::printf("== from a menu key going down to the frame that shows it, 1024 x 768 "
                "(min / median / p95 / max of %d starts)\n", rounds);
    const bool measured = bench::WithAndWithoutShaderCache(
        [&](const std::vector<std::string>& settings) { return MeasureRounds(x, programs, rounds, settings); });
    XCloseDisplay(x);
    if (!measured) return 1;
    return 0;
}
