// Benchmark of the level editor's CPU: the program started for real, left the way a user
// leaves it beside other work: idle on a new track in edit mode; idle on the shipped level 10
// in edit mode (its stars spin, so every frame draws); in play mode on level 1 with no key
// held. The tracks are opened through the Open dialog and play mode starts with F3, the keys
// sent to the windows as the X server would. Each figure is the growth of the process's user
// and system time (every thread) over a window of seconds, as cores, min / median / max over
// the runs. A bare window of the same size whose native OpenGL child window is cleared 25 times
// a second (bench_editor_floor) is measured in the same runs as the floor, also with the
// software renderer on one thread as the editor asks for it; with --before, a second program
// folder (the editor as it was) is measured in turn with each scenario, the one first
// alternating from run to run, and the ratio of the two medians reported under their figures.
// Usage, under an X server:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_editor build/bin [--before FOLDER] [quick] [runs]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tools/bench/BenchBuilds.h"
#include "tools/bench/BenchProcess.h"
#include "tools/bench/EditorDesktop.h"

namespace {

namespace fs = std::filesystem;
using bench::Desktop;
using bench::kEditorTitle;
using bench::OpenTrack;
using bench::ScratchProgramFolder;
using bench::Sleep;

constexpr const char* kFloorTitle = "bench_editor floor";
// What the editor asks of Mesa's software renderer (see editor/qt/main.cpp), for the floor.
constexpr const char* kOneThread = "LP_NUM_THREADS=0";

struct Scenario {
    std::string name;
    // Brings the started editor to the state measured; false when it did not get there.
    std::function<bool(const Desktop&, Window editor, const std::string& folder)> prepare;
};

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
    const bench::Arguments args = bench::ReadArguments(argc, argv, {.tool = "bench_editor"});
    Settings settings;
    if (args.quick) settings.measureSeconds = 3;
    if (args.runs) settings.runs = args.runs;
    const Desktop desktop;
    std::error_code ec;
    const fs::path tools = fs::read_symlink("/proc/self/exe", ec).parent_path();
    const fs::path scratch = fs::temp_directory_path() / ("bench_editor_" + std::to_string(getpid()));
    std::map<std::string, std::string> programs = {{"after", ScratchProgramFolder(scratch, "after", args.after)}};
    for (const std::string& before : args.before) programs["before"] = ScratchProgramFolder(scratch, "before", before);

    const std::vector<Scenario> scenarios = Scenarios();
    std::vector<double> floor, floorOneThread;
    std::map<std::string, std::vector<double>> cores;  // by scenario and program
    bool failed = false;
    for (int run = 0; run < settings.runs && !failed; ++run) {
        const std::string floorProgram = (tools / "bench_editor_floor").string();
        floor.push_back(Measure(desktop, floorProgram, kFloorTitle, nullptr, settings));
        floorOneThread.push_back(Measure(desktop, floorProgram, kFloorTitle, nullptr, settings, {kOneThread}));
        for (const Scenario& scenario : scenarios) {
            for (const auto* program : bench::InTurn(programs, run)) {
                const auto& [name, folder] = *program;
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
    for (const Scenario& scenario : scenarios) {
        for (const char* name : {"before", "after"})
            if (programs.count(name)) {
                const std::string what = scenario.name + " (" + name + ")";
                bench::ReportCores(what, cores[what]);
            }
        if (programs.count("before"))
            bench::ReportRatio(48, scenario.name + " (after / before)", cores[scenario.name + " (after)"],
                               cores[scenario.name + " (before)"]);
    }
    return 0;
}
