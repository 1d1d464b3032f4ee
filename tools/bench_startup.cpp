// The game's start-up as a player meets it: from the moment the program is started until its
// first main-menu frame is on the screen (video mode 2, 1024 x 768), beside the floor of
// floor_first_frame (SDL, a window over the desktop with an OpenGL context, one cleared frame)
// started in turn with it, once with the shader cache as earlier starts left it and once with
// no shader cache at all (a player's very first start). Each game is the program of a folder
// given, started in a scratch copy of that folder, and watched from outside: rows of the screen
// are read until they show what that program shows once settled (learned first from a start
// left alone). Reports each as min / median / max in milliseconds over the starts, and each
// game start divided by the floor's start of the same round, beside the goal for that ratio.
// Under an X server, as the game runs (quick: 5 rounds instead of 10):
//   SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_startup
//       build/tools/floor_first_frame build/bin [before/bin] [quick]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "game/OptionsFile.h"
#include "platform/Paths.h"
#include "tools/BenchProcess.h"

namespace {

using namespace std::chrono_literals;
using Rows = std::vector<unsigned long>;

constexpr int kRowCount = 8;
constexpr double kGoal = 1.5;  // at most this many times the floor
constexpr auto kSettle = 3s;   // for a program left alone to show what it keeps showing
constexpr auto kGiveUp = 15s;
const char* const kNoShaderCache = "MESA_SHADER_CACHE_DISABLE=true";

// Rows spread evenly over the screen, as the X server shows them.
Rows ReadRows(Display* x) {
    const Window root = DefaultRootWindow(x);
    const int width = DisplayWidth(x, DefaultScreen(x)), height = DisplayHeight(x, DefaultScreen(x));
    Rows rows;
    for (int i = 0; i < kRowCount; ++i) {
        XImage* row = XGetImage(x, root, 0, (2 * i + 1) * height / (2 * kRowCount), static_cast<unsigned>(width), 1,
                                AllPlanes, ZPixmap);
        if (!row) return {};
        for (int px = 0; px < width; ++px) rows.push_back(XGetPixel(row, px, 0) & 0xFFFFFF);
        XDestroyImage(row);
    }
    return rows;
}

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

// Paints the whole screen black: what the last program showed may stay there after it ended.
void Blacken(Display* x) {
    const Window root = DefaultRootWindow(x);
    const GC gc = XCreateGC(x, root, 0, nullptr);
    XSetSubwindowMode(x, gc, IncludeInferiors);
    XSetForeground(x, gc, BlackPixel(x, DefaultScreen(x)));
    XFillRectangle(x, root, gc, 0, 0, static_cast<unsigned>(DisplayWidth(x, DefaultScreen(x))),
                   static_cast<unsigned>(DisplayHeight(x, DefaultScreen(x))));
    XFreeGC(x, gc);
    XSync(x, False);
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

// A scratch copy of a game's folder in video mode 2, gone with this.
class ScratchGame {
public:
    ScratchGame(const std::string& folder, int number)
        : path_(std::filesystem::temp_directory_path() /
                ("bench_startup_" + std::to_string(getpid()) + "_" + std::to_string(number))) {
        std::filesystem::remove_all(path_);
        std::filesystem::copy(folder, path_, std::filesystem::copy_options::recursive);
        for (const char* name : {"stats.dat", "Debug.txt"}) std::filesystem::remove(path_ / name);
        gOptions = GameOptions{};
        gOptions.VideoMode = 2;
        platform::SetProgramFolder(path_.string());
        optionsDat::SaveOptions();
    }
    ~ScratchGame() { std::filesystem::remove_all(path_); }
    std::string Program() const { return (path_ / "Velorune").string(); }

private:
    std::filesystem::path path_;
};

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
    for (int round = 0; round < rounds; ++round) {
        for (Measured& m : programs) {
            const std::optional<double> ms = TimeToPicture(x, m.program, m.picture, settings);
            if (!ms) {
                std::fprintf(stderr, "bench_startup: %s did not show its picture\n", m.name.c_str());
                return false;
            }
            m.ms.push_back(*ms);
            m.ratio.push_back(*ms / programs.front().ms.back());
        }
    }
    for (const Measured& m : programs) {
        if (&m == &programs.front()) {
            std::printf("  %-44s %s ms\n", m.name.c_str(), Figures(m.ms, "%6.1f").c_str());
        } else {
            std::printf("  %-44s %s ms   %s x the floor (goal: at most %.1f)\n", m.name.c_str(),
                        Figures(m.ms, "%6.1f").c_str(), Figures(m.ratio, "%4.2f").c_str(), kGoal);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<bench::FloorAndFolders> args = bench::ReadFloorAndFolders(argc, argv);
    if (!args) {
        std::fprintf(stderr, "usage: bench_startup <floor_first_frame> <program folder>... [quick]\n");
        return 2;
    }
    Display* x = XOpenDisplay(nullptr);
    if (!x) {
        std::fprintf(stderr, "bench_startup: no X server\n");
        return 1;
    }
    const int rounds = args->quick ? 5 : 10;
    std::vector<std::unique_ptr<ScratchGame>> games;
    std::vector<Measured> programs{{"floor: SDL window, GL context, cleared frame", args->floor, {}, {}, {}}};
    for (const std::string& folder : args->folders) {
        games.push_back(std::make_unique<ScratchGame>(folder, static_cast<int>(games.size())));
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
    std::printf("shader cache as earlier starts left it\n");
    if (!MeasureRounds(x, programs, rounds, {})) return 1;
    std::printf("no shader cache (%s)\n", kNoShaderCache);
    if (!MeasureRounds(x, programs, rounds, {kNoShaderCache})) return 1;
    XCloseDisplay(x);
    return 0;
}
