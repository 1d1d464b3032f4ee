// The game's start-up as a player meets it: from the moment the program is started until its
// first main-menu frame is on the screen (video mode 2, 1024 x 768), beside the floor of
// floor_first_frame (SDL, a window over the desktop with an OpenGL context, one cleared frame)
// started in turn with it, once with the shader cache as earlier starts left it and once with
// no shader cache at all (a player's very first start). Each game is the program of a folder
// given, started in a scratch copy of that folder, and watched from outside: rows of the screen
// are read until they show what that program shows once settled (learned first from a start
// left alone). Each round starts the floor first, then the games, the one first turning from
// round to round. Reports each as min / median / max in milliseconds over the starts, and each
// game start divided by the floor's start of the same round, beside the goal for that ratio;
// under each later folder's, the first folder's median over its own.
// Under an X server, as the game runs (quick: 5 rounds instead of 10):
//   SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_startup
//       build/tools/floor_first_frame build/bin [before/bin] [quick] [rounds]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "tools/bench/BenchBuilds.h"
#include "tools/bench/BenchProcess.h"
#include "tools/bench/BenchScreen.h"

namespace {

using namespace std::chrono_literals;
using Rows = bench::Pixels;
using bench::Blacken;
using bench::ReadRows;

constexpr double kGoal = 1.5;  // at most this many times the floor
constexpr auto kSettle = 3s;   // for a program left alone to show what it keeps showing
constexpr auto kGiveUp = 15s;

// What the program shows once it has settled; nothing when it ends first or never settles.
std::optional<Rows> SettledPicture(Display* x, const std::string& program) {
    bench::Process started(program);
    if (!started.Started()) return std::nullopt;
    std::this_thread::sleep_for(kSettle);
    for (Rows last = ReadRows(x); !started.Ended(0s);) {
        std::this_thread::sleep_for(500ms);
        Rows now = ReadRows(x);
        if (now == last) return now;
        last = std::move(now);
    }
    return std::nullopt;
}

// Milliseconds from the start of the program until the screen shows picture; nothing when it
// ends or gives up first.
std::optional<double> TimeToPicture(Display* x, const std::string& program, const Rows& picture,
                                    const std::vector<std::string>& settings) {
    Blacken(x);
    if (ReadRows(x) == picture) return std::nullopt;
    const auto start = bench::Clock::now();
    bench::Process started(program, {}, settings);
    while (started.Started()) {
        if (ReadRows(x) == picture) return bench::MsBetween(start, bench::Clock::now());
        if (started.Ended(0s) || bench::Clock::now() - start > kGiveUp) break;
        std::this_thread::sleep_for(200us);
    }
    return std::nullopt;
}

std::string Figures(const std::vector<double>& values, const char* format) {
    const bench::Figures f = bench::Summarise(values);
    char text[96];
    std::snprintf(text, sizeof text, (std::string(format) + " / " + format + " / " + format).c_str(), f.min, f.median,
                  f.max);
    return text;
}

struct Measured {
    std::string name, program;
    Rows picture;
    std::vector<double> ms, ratio;
};

// rounds of starts, each program once a round, the floor first.
bool MeasureRounds(Display* x, std::vector<Measured>& programs, int rounds, const std::vector<std::string>& settings) {
    for (Measured& m : programs) m.ms.clear(), m.ratio.clear();
    Measured& floor = programs.front();
    const std::span<Measured> games(programs.begin() + 1, programs.end());
    auto start = [&](Measured& m) {
        const std::optional<double> ms = TimeToPicture(x, m.program, m.picture, settings);
        if (!ms) {
            std::fprintf(stderr, "bench_startup: %s did not show its picture\n", m.name.c_str());
            return false;
        }
        m.ms.push_back(*ms);
        m.ratio.push_back(*ms / floor.ms.back());
        return true;
    };
    for (int round = 0; round < rounds; ++round) {
        if (!start(floor)) return false;
        for (Measured* game : bench::InTurn(games, round))
            if (!start(*game)) return false;
    }
    std::printf("  %-44s %s ms\n", floor.name.c_str(), Figures(floor.ms, "%6.1f").c_str());
    for (const Measured& m : games) {
        std::printf("  %-44s %s ms   %s x the floor (goal: at most %.1f)\n", m.name.c_str(),
                    Figures(m.ms, "%6.1f").c_str(), Figures(m.ratio, "%4.2f").c_str(), kGoal);
        if (&m != &games.front()) bench::ReportRatio(44, "  first folder / this one", games.front().ms, m.ms);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bench::Arguments args =
        bench::ReadArguments(argc, argv, {.tool = "bench_startup", .floor = "floor_first_frame",
                                          .earlier = bench::CommandLine::kAny});
    Display* x = XOpenDisplay(nullptr);
    if (!x) return 1;
    const int rounds = args.runs ? args.runs : args.quick ? 5 : 10;
    std::vector<std::unique_ptr<bench::ScratchGame>> games;
    std::vector<Measured> programs{{"floor: SDL window, GL context, cleared frame", args.floor, {}, {}, {}}};
    for (const std::string& folder : args.Builds()) {
        games.push_back(std::make_unique<bench::ScratchGame>(folder, "bench_startup", static_cast<int>(games.size())));
        programs.push_back({folder, games.back()->Program(), {}, {}, {}});
    }
    for (Measured& m : programs) {
        std::optional<Rows> picture = SettledPicture(x, m.program);
        if (!picture) {
            std::fprintf(stderr, "bench_startup: %s did not settle on a picture\n", m.name.c_str());
            return 1;
        }
        m.picture = std::move(*picture);
    }
    std::printf("== start-up to the first main-menu frame on the screen, 1024 x 768 (min / median / max of %d)\n",
                rounds);
    const bool measured = bench::WithAndWithoutShaderCache(
        [&](const std::vector<std::string>& settings) { return MeasureRounds(x, programs, rounds, settings); });
    XCloseDisplay(x);
    if (!measured) return 1;
    return 0;
}
