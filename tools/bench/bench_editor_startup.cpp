// Benchmark of the level editor's start-up: the time from starting the program until its first
// picture in the viewport is on the screen (a new track's, drawn by the device), beside the
// same for a bare window of the editor's size whose native OpenGL child window shows its first
// clear (bench_editor_floor). The end is seen by bench_first_frame_hook, loaded into each
// program: the first swap of a picture that is not all black, once the X server has it.
// The floor and the editor (and with --before, the editor of a second program folder: an
// earlier build, the two editors' order alternating from run to run) start in turn within each
// run, 20 runs (5 with quick) after one not counted; each figure is min / median / max over the
// runs in milliseconds, and the editor's against the floor's of the same run as a ratio; with
// --before, each figure of the build measured also over the earlier one's, of the medians.
// Usage, under an X server:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_editor_startup build/bin [--before FOLDER] [quick] [runs]
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tools/bench/BenchBuilds.h"
#include "tools/bench/BenchFigures.h"
#include "tools/bench/BenchProcess.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWaitMs = 30000;  // for a first picture, before the start counts as failed

int64_t MonotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Starts the program with the hook and returns the milliseconds until its first picture was
// shown; -1 when it showed none in time.
double FirstPictureMs(const std::string& program, const std::string& hook) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return -1;
    fcntl(ends[1], F_SETFD, 0);  // the program's end, kept open across its exec
    const int64_t start = MonotonicNs();
    double ms = -1;
    {
        bench::Process running(program, {},
                               {"LD_PRELOAD=" + hook, "VELORUNE_FIRST_FRAME_FD=" + std::to_string(ends[1])});
        close(ends[1]);
        pollfd wait{ends[0], POLLIN, 0};
        char line[32] = {};
        long long shown = 0;
        if (running.Started() && poll(&wait, 1, kWaitMs) == 1 && read(ends[0], line, sizeof line - 1) > 0 &&
            std::sscanf(line, "%lld", &shown) == 1)
            ms = static_cast<double>(shown - start) / 1e6;
    }  // the program ends here
    close(ends[0]);
    return ms;
}

void Report(const std::string& what, const std::vector<double>& values, const char* unit, int decimals) {
    const bench::Figures f = bench::Summarise(values);
    std::printf("  %-44s min %7.*f  median %7.*f  max %7.*f %s\n", what.c_str(), decimals, f.min, decimals, f.median,
                decimals, f.max, unit);
}

}  // namespace

int main(int argc, char** argv) {
    const bench::Arguments args = bench::ReadArguments(argc, argv, {.tool = "bench_editor_startup"});
    const int runs = args.runs ? args.runs : args.quick ? 5 : 20;
    std::map<std::string, std::string> folders = {{"after", args.after}};  // and, with --before, "before"
    for (const std::string& before : args.before) folders["before"] = before;
    std::error_code ec;
    const fs::path tools = fs::read_symlink("/proc/self/exe", ec).parent_path();
    const std::string hook = (tools / "libbench_first_frame_hook.so").string();
    const std::string floor = (tools / "bench_editor_floor").string();

    std::vector<double> floorMs;
    std::map<std::string, std::vector<double>> editorMs, ratios;
    // Round 0 warms up and is not counted: the first programs in a new X server meet the
    // server's own first-time work.
    for (int run = 0; run <= runs; ++run) {
        const double floorRun = FirstPictureMs(floor, hook);
        if (run > 0) floorMs.push_back(floorRun);
        for (const auto* build : bench::InTurn(folders, run)) {
            const auto& [name, folder] = *build;
            const double ms = FirstPictureMs(fs::absolute(folder) / "VeloruneEdit", hook);
            if (ms < 0 || floorRun < 0) {
                std::fprintf(stderr, "bench_editor_startup: %s showed no first picture (the hook sees GLX swaps)\n",
                             floorRun < 0 ? "the floor" : ("the editor (" + name + ")").c_str());
                return 1;
            }
            if (run == 0) continue;
            editorMs[name].push_back(ms);
            ratios[name].push_back(ms / floorRun);
        }
    }
    std::printf("Editor start-up to the first picture in the viewport, min / median / max over %d runs\n", runs);
    Report("floor: native GL window, first clear", floorMs, "ms", 1);
    for (const char* name : {"before", "after"}) {
        if (!folders.count(name)) continue;
        Report(std::string("editor, first track picture (") + name + ")", editorMs[name], "ms", 1);
        Report(std::string("editor / floor, same run (") + name + ")", ratios[name], "x", 2);
    }
    if (folders.count("before")) {
        bench::ReportRatio(44, "editor, first track picture (after / before)", editorMs["after"], editorMs["before"]);
        bench::ReportRatio(44, "editor / floor, same run (after / before)", ratios["after"], ratios["before"]);
    }
    return 0;
}
