// Benchmark of files far larger than what they hold: a levels.dat and a track file grown to
// 300 MB, 1.5 GB and 5 GB by a stretch of zeros after their last byte (sparse files, which
// take no disk), beside the shipped ones. Each program of the folders given is started for
// real, as a player or a track builder starts it, without a limit and again under a 2.5 GB
// address-space limit (ulimit -v 2621440):
//  - the game, in a scratch copy of its folder, until its levels are loaded (stats.dat, which
//    start-up writes right after, appears), it refuses levels.dat in a box, or it ends;
//  - the editor, the track opened through its Open dialog, until the editor answers again (a
//    second Open dialog, asked for with Ctrl+O as soon as the first one has gone, shows), it
//    refuses the file in a box, or it ends.
// Reported per case: what came of it, the seconds it took and the peak resident memory
// (VmHWM, read once the program has settled), min / median / max over the runs. Without a
// limit, a program is stopped after 120 s; on this shared machine it may take no more than
// 12 GB of address space.
// Usage, under an X server (make bench runs it with the build's and the earlier build's bin):
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_big_files build/bin [--before FOLDER] [quick]
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tools/BenchProcess.h"
#include "tools/EditorDesktop.h"

namespace {

namespace fs = std::filesystem;
using bench::Desktop;
using bench::Sleep;

constexpr double kGiveUpSeconds = 120;
constexpr const char* kLimit = "2621440";      // KiB: 2.5 GB
constexpr const char* kGuard = "12582912";     // KiB: 12 GB, for the runs "without a limit"
constexpr const char* kTrack = "level10.lvl";  // the largest shipped track
constexpr const char* kGrownTrack = "grown.lvl";

struct Size {
    std::string name;
    uint64_t bytes;  // 0: the shipped file as it is
};

// The file at path made size bytes long by zeros after its end, which the file system keeps
// as a hole.
bool Grow(const fs::path& path, uint64_t size) {
    std::error_code ec;
    if (size) fs::resize_file(path, size, ec);
    return !ec;
}

// A program folder of links to everything in from, but for a copy of the program (the folder
// the program runs from is its program folder) and the files the runs write or grow.
fs::path ScratchFolder(const fs::path& scratch, const std::string& name, const fs::path& from) {
    const fs::path folder = scratch / name;
    fs::remove_all(folder);
    fs::create_directories(folder / "levels");
    for (const auto& entry : fs::directory_iterator(from)) {
        const std::string file = entry.path().filename().string();
        const fs::path target = folder / file;
        if (file == "Velorune" || file == "VeloruneEdit" || file == "levels.dat") fs::copy_file(entry.path(), target);
        else if (file == "levels")
            for (const auto& track : fs::directory_iterator(entry.path()))
                fs::create_symlink(fs::absolute(track.path()), folder / "levels" / track.path().filename());
        else if (file != "options.dat" && file != "stats.dat" && file != "Debug.txt" && file != "tmp.trk")
            fs::create_symlink(fs::absolute(entry.path()), target);
    }
    fs::copy_file(from / "levels" / kTrack, folder / "levels" / kGrownTrack);
    return folder;
}

std::string Text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The program, by its own name, under the address-space limit of ulimit -v.
std::unique_ptr<bench::Process> StartLimited(const std::string& program, const char* limitKiB) {
    return std::make_unique<bench::Process>("/bin/sh", std::vector<std::string>{"-c", std::string("ulimit -v ") + limitKiB +
                                                                                       " && exec \"$0\"",
                                                                                   program});
}

struct Outcome {
    std::string what;  // "menu", "opened", "refused", "ended by signal N", "gave up"
    double seconds = 0;
    double peakMb = 0;
};

// The peak once it has stayed the same for a second.
double SettledPeak(bench::Process& running, double seen) {
    double peak = std::max(seen, bench::PeakResidentMb(running.Pid()));
    for (double still = 0, waited = 0; still < 1 && waited < 10 && !running.Ended(std::chrono::seconds(0));
         waited += 0.1) {
        Sleep(0.1);
        const double now = bench::PeakResidentMb(running.Pid());
        still = now == peak ? still + 0.1 : 0;
        peak = std::max(peak, now);
    }
    return peak;
}

Outcome RunGame(const fs::path& folder, const char* limitKiB) {
    for (const char* name : {"stats.dat", "Debug.txt", "options.dat"}) fs::remove(folder / name);
    std::ofstream(folder / "options.dat", std::ios::binary).write("\x64\0\0\0\0\0\0\0\x01\0\0\0", 12);
    const auto start = bench::Clock::now();
    auto running = StartLimited((folder / "Velorune").string(), limitKiB);
    Outcome outcome{"gave up", 0, 0};
    while (running->Started()) {
        outcome.peakMb = std::max(outcome.peakMb, bench::PeakResidentMb(running->Pid()));
        outcome.seconds = bench::MsBetween(start, bench::Clock::now()) / 1000;
        if (fs::exists(folder / "stats.dat")) outcome.what = "menu";
        else if (Text(folder / "Debug.txt").find("levels.dat could not be loaded") != std::string::npos)
            outcome.what = "refused in a box";
        else if (running->Ended(std::chrono::seconds(0)))
            outcome.what = "ended by signal " + std::to_string(running->EndingSignal()) + ", no box";
        else if (outcome.seconds < kGiveUpSeconds) {
            Sleep(0.005);
            continue;
        }
        break;
    }
    if (outcome.what == "menu" || outcome.what == "refused in a box") outcome.peakMb = SettledPeak(*running, outcome.peakMb);
    return outcome;
}

Outcome RunEditor(const Desktop& desktop, const fs::path& folder, const char* limitKiB) {
    for (double waited = 0; waited < 10 && desktop.Shows(bench::kEditorTitle); waited += 0.1) Sleep(0.1);
    auto running = StartLimited((folder / "VeloruneEdit").string(), limitKiB);
    const Window editor = desktop.WaitFor(bench::kEditorTitle, 30);
    if (!editor) return {"did not start", 0, 0};
    Sleep(1);
    desktop.Focus(editor);
    desktop.Key(editor, "o", ControlMask);
    const Window dialog = desktop.WaitFor("Open", 10);
    if (!dialog) return {"no Open dialog", 0, 0};
    Sleep(0.5);
    desktop.Focus(dialog);
    desktop.Type(dialog, kGrownTrack);
    auto start = bench::Clock::now();
    desktop.Key(dialog, "Return");
    // Where the name box's completion list took the first Enter, a second one opens the file.
    for (double waited = 0; waited < 1 && desktop.Shows("Open"); waited += 0.05) Sleep(0.05);
    if (desktop.Shows("Open")) {
        start = bench::Clock::now();
        desktop.Key(dialog, "Return");
    }
    Outcome outcome{"gave up", 0, 0};
    bool asked = false;
    while (true) {
        outcome.peakMb = std::max(outcome.peakMb, bench::PeakResidentMb(running->Pid()));
        outcome.seconds = bench::MsBetween(start, bench::Clock::now()) / 1000;
        if (running->Ended(std::chrono::seconds(0))) {
            outcome.what = "ended by signal " + std::to_string(running->EndingSignal()) + ", no box";
            break;
        }
        if (desktop.Count(bench::kEditorTitle) > 1) {
            outcome.what = "refused in a box";
            break;
        }
        const bool open = desktop.Shows("Open");
        if (!open && !asked) {
            desktop.Key(editor, "o", ControlMask);
            asked = true;
        } else if (open && asked) {
            outcome.what = "opened";
            break;
        }
        if (outcome.seconds > kGiveUpSeconds) break;
        Sleep(0.005);
    }
    if (outcome.what == "opened" || outcome.what == "refused in a box")
        outcome.peakMb = SettledPeak(*running, outcome.peakMb);
    return outcome;
}

struct Case {
    std::string program;  // "game" or "editor"
    Size size;
    const char* limitKiB;
};

std::string Name(const Case& c) {
    return c.program + ", " + c.size.name + (c.limitKiB == kLimit ? ", ulimit -v 2621440" : ", no limit");
}

// Each outcome with how often it came, then the seconds and the peak of all runs.
void Report(const std::string& what, const std::vector<Outcome>& runs) {
    std::map<std::string, int> kinds;
    std::vector<double> seconds, mb;
    for (const Outcome& o : runs) {
        ++kinds[o.what];
        seconds.push_back(o.seconds);
        mb.push_back(o.peakMb);
    }
    std::string outcomes;
    for (const auto& [kind, count] : kinds) outcomes += (outcomes.empty() ? "" : ", ") + kind + " x" + std::to_string(count);
    const bench::Figures s = bench::Summarise(seconds), m = bench::Summarise(mb);
    std::printf("  %-44s %-26s %6.2f / %6.2f / %6.2f s   %7.1f / %7.1f / %7.1f MB\n", what.c_str(), outcomes.c_str(),
                s.min, s.median, s.max, m.min, m.median, m.max);
}

}  // namespace

int main(int argc, char** argv) {
    std::string after, before;
    int runs = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--before" && i + 1 < argc) before = argv[++i];
        else if (arg == "quick") runs = 1;
        else after = arg;
    }
    if (after.empty()) {
        std::fprintf(stderr, "usage: bench_big_files <program folder> [--before <folder>] [quick]\n");
        return 2;
    }
    const Desktop desktop;
    if (!desktop.Open()) {
        std::fprintf(stderr, "bench_big_files needs an X server\n");
        return 1;
    }
    const fs::path scratch = fs::temp_directory_path() / ("bench_big_files_" + std::to_string(getpid()));
    std::map<std::string, fs::path> folders = {{"after", ScratchFolder(scratch, "after", after)}};
    if (!before.empty()) folders["before"] = ScratchFolder(scratch, "before", before);
    const std::vector<Size> sizes = {{"shipped size", 0},
                                     {"300 MB", 300ull << 20},
                                     {"1.5 GB", 1536ull << 20},
                                     {"5 GB", 5ull << 30}};
    std::vector<Case> cases;
    for (const char* program : {"game", "editor"})
        for (const char* limit : {kGuard, kLimit})
            for (const Size& size : sizes) cases.push_back({program, size, limit});

    // By case and program. A case that takes 30 s or more is not run again.
    std::map<std::string, std::vector<Outcome>> outcomes;
    for (int run = 0; run < runs; ++run) {
        for (const Case& c : cases)
            for (const auto& [name, folder] : folders) {
                std::vector<Outcome>& done = outcomes[Name(c) + " (" + name + ")"];
                if (!done.empty() && done.back().seconds >= 30) continue;
                const fs::path file = c.program == "game" ? folder / "levels.dat" : folder / "levels" / kGrownTrack;
                const fs::path shipped = c.program == "game" ? fs::path(after) / "levels.dat"
                                                             : fs::path(after) / "levels" / kTrack;
                fs::remove(file);
                fs::copy_file(shipped, file);
                if (!Grow(file, c.size.bytes)) {
                    std::fprintf(stderr, "could not grow %s\n", file.c_str());
                    return 1;
                }
                done.push_back(c.program == "game" ? RunGame(folder, c.limitKiB) : RunEditor(desktop, folder, c.limitKiB));
            }
        std::fprintf(stderr, "run %d of %d done\n", run + 1, runs);
    }
    std::error_code ec;
    fs::remove_all(scratch, ec);
    std::printf("Files grown by zeros after their end: what came of it; seconds and peak resident memory, min / "
                "median / max\n(game: start until its levels are loaded; editor: Enter in the Open dialog until it "
                "answers again)\n");
    for (const Case& c : cases)
        for (const char* name : {"before", "after"})
            if (folders.count(name)) Report(Name(c) + " (" + name + ")", outcomes[Name(c) + " (" + name + ")"]);
    return 0;
}
