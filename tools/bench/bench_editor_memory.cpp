// Benchmark of the level editor's memory: the program started for real on a track of 200,000
// blocks that the benchmark makes itself, and on the largest shipped level, each track opened
// through the Open dialog and play mode then entered with F3, the keys sent to the windows as
// the X server would. The figures are the process's peak resident memory (VmHWM) once the
// editor has settled with the track in edit mode, and once it has settled in play mode, in MB,
// min / median / max over the runs; with --before, a second program folder (the editor as it
// was) is measured in turn in the same runs, the one first alternating from run to run, and the
// ratio of the two medians reported under their figures.
// Usage, under an X server:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_editor_memory build/bin [--before FOLDER] [quick] [runs]
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tools/bench/BenchBuilds.h"
#include "tools/bench/BenchProcess.h"
#include "tools/bench/BenchTracks.h"
#include "tools/bench/EditorDesktop.h"

namespace {

namespace fs = std::filesystem;
using bench::Desktop;
using bench::Sleep;

constexpr int32_t kBlocks = 200000;
constexpr const char* kGeneratedTrack = "blocks200000.lvl";

struct Track {
    std::string name;  // as the report names it
    std::string file;  // in the program folder's levels folder
};

// The peak once it has stayed the same for three seconds: the track is built and drawn.
double SettledPeak(pid_t pid) {
    double peak = bench::PeakResidentMb(pid);
    for (double still = 0, waited = 0; still < 3 && waited < 120; waited += 0.25) {
        Sleep(0.25);
        const double now = bench::PeakResidentMb(pid);
        still = now == peak ? still + 0.25 : 0;
        peak = now;
    }
    return peak;
}

struct Peaks {
    double edit = -1, play = -1;  // -1: not got there
};

Peaks Measure(const Desktop& desktop, const std::string& folder, const Track& track) {
    const fs::path snapshot = fs::path(folder) / "tmp.trk";
    std::error_code ec;
    fs::remove(snapshot, ec);
    // The window of the editor measured before may outlast its process for a moment.
    for (double waited = 0; waited < 10 && desktop.Shows(bench::kEditorTitle); waited += 0.1) Sleep(0.1);
    bench::Process running(folder + "/VeloruneEdit");
    if (!running.Started()) return {};
    const Window editor = desktop.WaitFor(bench::kEditorTitle, 30);
    if (!editor) return {};
    Sleep(1);
    if (!bench::OpenTrack(desktop, editor, track.file)) {
        std::fprintf(stderr, "the Open dialog did not open %s\n", track.file.c_str());
        return {};
    }
    Peaks peaks;
    peaks.edit = SettledPeak(running.Pid());
    desktop.Focus(editor);
    desktop.Key(editor, "F3");
    for (double waited = 0; waited < 30 && !fs::exists(snapshot); waited += 0.1) Sleep(0.1);
    if (fs::exists(snapshot)) peaks.play = SettledPeak(running.Pid());  // play mode saved its snapshot
    return peaks;
}

void Report(const std::string& what, const std::vector<double>& mb) {
    const bench::Figures f = bench::Summarise(mb);
    std::printf("  %-44s min %7.1f  median %7.1f  max %7.1f MB\n", what.c_str(), f.min, f.median, f.max);
}

}  // namespace

int main(int argc, char** argv) {
    const bench::Arguments args = bench::ReadArguments(argc, argv, {.tool = "bench_editor_memory"});
    const int runs = args.runs ? args.runs : args.quick ? 1 : 3;
    const Desktop desktop;
    const fs::path scratch = fs::temp_directory_path() / ("bench_editor_memory_" + std::to_string(getpid()));
    const std::vector<uint8_t> generated = bench::GridTrackFile(kBlocks, false);
    std::map<std::string, std::string> programs = {
        {"after", bench::ScratchProgramFolder(scratch, "after", args.after)}};
    for (const std::string& before : args.before)
        programs["before"] = bench::ScratchProgramFolder(scratch, "before", before);
    bool failed = false;
    for (const auto& [name, folder] : programs) failed = failed || !bench::AddTrack(folder, kGeneratedTrack, generated);

    const std::vector<Track> tracks = {{"200,000 blocks", kGeneratedTrack}, {"level 10", "level10.lvl"}};
    std::map<std::string, std::vector<double>> mb;  // by track, mode and program
    for (int run = 0; run < runs && !failed; ++run) {
        for (const Track& track : tracks)
            for (const auto* program : bench::InTurn(programs, run)) {
                const auto& [name, folder] = *program;
                const Peaks peaks = Measure(desktop, folder, track);
                if (peaks.play < 0) {
                    std::fprintf(stderr, "%s: %s did not get to play mode\n", name.c_str(), track.name.c_str());
                    failed = true;
                }
                mb[track.name + ", edit mode (" + name + ")"].push_back(peaks.edit);
                mb[track.name + ", play mode (" + name + ")"].push_back(peaks.play);
            }
        std::fprintf(stderr, "run %d of %d done\n", run + 1, runs);
    }
    std::error_code ec;
    fs::remove_all(scratch, ec);
    if (failed) return 1;
    std::printf("Editor peak memory (resident), MB: min / median / max over %d runs\n", runs);
    for (const Track& track : tracks)
        for (const char* mode : {"edit mode", "play mode"}) {
            const std::string what = track.name + ", " + mode;
            for (const char* name : {"before", "after"})
                if (programs.count(name)) Report(what + " (" + name + ")", mb[what + " (" + name + ")"]);
            if (programs.count("before"))
                bench::ReportRatio(44, what + " (after / before)", mb[what + " (after)"], mb[what + " (before)"]);
        }
    return 0;
}
