// Benchmark of the game's pacing with the real main loop, window and clock: the CPU the idle
// main menu uses and its frame rate, then level 1 driven to its finish with the shipped key
// script, reporting the interval between play-step starts, the wall time of the run and the
// main thread's CPU time between steps. Each figure as min / median / max over the runs.
// Run by hand under an X server (a bare one shows what a kiosk user gets):
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_pacing build/bin tests/replays/level01.keys [runs]
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/frmGame.h"
#include "platform/Clock.h"
#include "platform/gl/GlDirect3D.h"
#include "platform/Paths.h"
#include "platform/sdl/SdlWindow.h"
#include "tools/replay/HookedWindow.h"
#include "tools/replay/KeyScript.h"

namespace {

constexpr double kMenuSeconds = 5.0;

double Seconds(const timespec& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9; }

double WallSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return Seconds(t);
}
double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return Seconds(t);
}
// Every thread of the process: the software renderer draws on threads of its own.
double ProcessCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

struct RunFigures {
    double menuCores = 0, menuFramesPerSecond = 0;
    double meanIntervalMs = 0, medianIntervalMs = 0, maxIntervalMs = 0;
    double runSeconds = 0;
    int intervals = 0;
    double cpuBetweenStepsMs = 0;  // main thread, per interval
    double playCores = 0;          // every thread, over the run
    bool finished = false;
};

class PacingRun {
public:
    PacingRun(replay::HookedWindow& window, const replay::KeyScript& script) : window_(window), script_(script) {
        window_.onPump = [this] { Pump(); };
    }

    RunFigures Run() {
        frmGame::Form_Load(window_);
        hands_.HoldOnly({});
        return Figures();
    }

private:
    void Pump() {
        if (gGameState == STATE_MAINMENU && !playStarted_) MenuPump();
        else if (gGameState == STATE_PLAYING) PlayPump();
        else if (playStarted_ && !done_) {
            finished_ = gGameState == STATE_NAMEENTRY || gGameState == STATE_LEVELDONE;
            Finish();
        }
        if (WallSeconds() - begin_ > 60) frmGame::Form_Unload();  // never hang
    }

    void MenuPump() {
        if (menuStartWall_ == 0) {
            begin_ = menuStartWall_ = WallSeconds();
            menuStartCpu_ = ProcessCpuSeconds();
            menuStartSwaps_ = window_.swaps;
            return;
        }
        const double wall = WallSeconds() - menuStartWall_;
        if (wall < kMenuSeconds) return;
        figures_.menuCores = (ProcessCpuSeconds() - menuStartCpu_) / wall;
        figures_.menuFramesPerSecond = (window_.swaps - menuStartSwaps_) / wall;
        gCurrentLevel = 1;  // as the level-select screen leaves it
        LevelStructure::BuildLevel(gCurrentLevel, false);
        frmGame::startPlaying();
        playStarted_ = true;
        playStartCpu_ = ProcessCpuSeconds();
        playStartWall_ = WallSeconds();
        lastStepCounter_ = gLastCounter;
    }

    void PlayPump() {
        const double cpu = ThreadCpuSeconds();
        if (gLastCounter != lastStepCounter_) {  // the first pump inside a new step
            lastStepCounter_ = gLastCounter;
            stepStarts_.push_back(gLastCounter);
            if (stepStarts_.size() > 1) betweenStepsCpu_ += lastPumpCpu_ - stepPumpCpu_;
            stepPumpCpu_ = cpu;
        }
        lastPumpCpu_ = cpu;
        const auto step = static_cast<size_t>(TotalFrames);
        hands_.HoldOnly(step < script_.size() ? replay::ScanCodes(script_[step]) : std::vector<uint8_t>{});
    }

    void Finish() {
        done_ = true;
        if (stepStarts_.size() >= 2) {
            figures_.playCores = (ProcessCpuSeconds() - playStartCpu_) / (WallSeconds() - playStartWall_);
            // The finishing step itself started without a pump since the one before it.
            stepStarts_.push_back(gLastCounter);
            betweenStepsCpu_ += lastPumpCpu_ - stepPumpCpu_;
        }
        frmGame::Form_Unload();
    }

    RunFigures Figures() {
        figures_.finished = finished_;
        if (stepStarts_.size() < 2) return figures_;
        const double perMs = 1000.0 / static_cast<double>(platform::QueryPerformanceFrequency());
        std::vector<double> intervals;
        for (size_t i = 1; i < stepStarts_.size(); ++i)
            intervals.push_back(static_cast<double>(stepStarts_[i] - stepStarts_[i - 1]) * perMs);
        figures_.intervals = static_cast<int>(intervals.size());
        figures_.runSeconds = static_cast<double>(stepStarts_.back() - stepStarts_.front()) * perMs / 1000.0;
        figures_.meanIntervalMs = figures_.runSeconds * 1000.0 / figures_.intervals;
        std::sort(intervals.begin(), intervals.end());
        figures_.medianIntervalMs = intervals[intervals.size() / 2];
        figures_.maxIntervalMs = intervals.back();
        figures_.cpuBetweenStepsMs = betweenStepsCpu_ * 1000.0 / figures_.intervals;
        return figures_;
    }

    replay::HookedWindow& window_;
    const replay::KeyScript& script_;
    RunFigures figures_;
    double begin_ = WallSeconds();
    double menuStartWall_ = 0, menuStartCpu_ = 0;
    int menuStartSwaps_ = 0;
    bool playStarted_ = false, finished_ = false, done_ = false;
    double playStartCpu_ = 0, playStartWall_ = 0;
    int64_t lastStepCounter_ = 0;
    std::vector<int64_t> stepStarts_;
    double lastPumpCpu_ = 0, stepPumpCpu_ = 0, betweenStepsCpu_ = 0;
    replay::KeyHands hands_;
};

void Report(const char* what, std::vector<double> values, const char* unit) {
    std::sort(values.begin(), values.end());
    std::printf("%-34s min %8.3f  median %8.3f  max %8.3f %s\n", what, values.front(), values[values.size() / 2],
                values.back(), unit);
}

// A scratch copy of the program folder: the run writes statistics, flags and options.
std::string ScratchCopy(const std::string& folder) {
    const auto scratch = std::filesystem::temp_directory_path() / ("bench_pacing_" + std::to_string(getpid()));
    std::filesystem::remove_all(scratch);
    std::filesystem::copy(folder, scratch, std::filesystem::copy_options::recursive);
    for (const char* name : {"stats.dat", "options.dat", "Debug.txt"}) std::filesystem::remove(scratch / name);
    return scratch.string();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_pacing <program folder> <level 1 key script> [runs]\n");
        return 2;
    }
    std::ifstream in(argv[2]);
    const auto script = replay::ParseScript({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    if (!script) {
        std::fprintf(stderr, "%s is not a key script\n", argv[2]);
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    const std::string folder = ScratchCopy(argv[1]);
    platform::SetProgramFolder(folder);

    platform::SdlWindowOptions options;
    options.FullScreen = false;
    std::string error;
    auto sdlWindow = platform::SdlWindow::Create(options, &error);
    if (!sdlWindow) {
        std::fprintf(stderr, "no window: %s\n", error.c_str());
        return 1;
    }
    replay::HookedWindow window(*sdlWindow);
    gDX = [] { return std::make_unique<d3d::GlDirect3D>(); };

    std::vector<RunFigures> all;
    for (int i = 0; i < runs; ++i) {
        std::filesystem::copy_file(std::string(argv[1]) + "/levels.dat", folder + "/levels.dat",
                                   std::filesystem::copy_options::overwrite_existing);
        PacingRun run(window, *script);
        const RunFigures f = run.Run();
        if (!f.finished) {
            std::fprintf(stderr, "run %d did not reach the finish (%d intervals)\n", i + 1, f.intervals);
            return 1;
        }
        std::printf("run %d: %d intervals, mean %.3f ms, run %.3f s\n", i + 1, f.intervals, f.meanIntervalMs,
                    f.runSeconds);
        all.push_back(f);
    }
    auto column = [&](double RunFigures::*field) {
        std::vector<double> values;
        for (const RunFigures& f : all) values.push_back(f.*field);
        return values;
    };
    Report("idle main menu, CPU", column(&RunFigures::menuCores), "cores");
    Report("idle main menu, frames", column(&RunFigures::menuFramesPerSecond), "per second");
    Report("step interval, mean", column(&RunFigures::meanIntervalMs), "ms");
    Report("step interval, median", column(&RunFigures::medianIntervalMs), "ms");
    Report("step interval, longest", column(&RunFigures::maxIntervalMs), "ms");
    Report("level 1 run (7.84 s of level time)", column(&RunFigures::runSeconds), "s");
    Report("main thread CPU between steps", column(&RunFigures::cpuBetweenStepsMs), "ms per step");
    Report("CPU while playing, all threads", column(&RunFigures::playCores), "cores");
    std::filesystem::remove_all(folder);
    return 0;
}
