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
// limit, a program is stopped after 120 s, and it may take no more than 8 GB of address space,
// which guards a shared machine. A case that takes 30 s or more is not run again.
// Usage, under an X server (make bench runs it with the build's and the earlier build's bin):
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_big_files build/bin [--before FOLDER] [quick]
//       [game | editor]
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "shared/TrackCodec.h"
#include "tools/BenchProcess.h"
#include "tools/EditorDesktop.h"

namespace {

namespace fs = std::filesystem;
using bench::Desktop;
using bench::Sleep;

constexpr double kGiveUpSeconds = 120;
constexpr const char* kLimit = "2621440";      // KiB: 2.5 GB
constexpr const char* kGuard = "8388608";      // KiB: 8 GB, for the runs "without a limit"
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

// Sends the key until a window with the title shows; whether one did within `seconds`. A key
// sent while the program is still starting, or before its window has the keyboard, is lost.
bool KeyUntil(const Desktop& desktop, Window window, const char* key, unsigned modifiers, const std::string& title,
              double seconds) {
    for (double waited = 0; waited < seconds; waited += 2) {
        desktop.Focus(window);
        desktop.Key(window, key, modifiers);
        if (desktop.WaitFor(title, 2)) return true;
    }
    return false;
}

// The box of the program that shows the window: a window with the same title.
Window BoxBeside(const Desktop& desktop, Window window) {
    for (const Window shown : desktop.All(bench::kEditorTitle))
        if (shown != window) return shown;
    return 0;
}

// The block count of the track file; -1 when it holds none.
int32_t BlocksOf(const fs::path& file) {
    const std::string text = Text(file);
    const std::vector<uint8_t> bytes(text.begin(), text.end());
    TrackCodec::ByteReader reader(bytes);
    TrackCodec::TrackFile track;
    std::string error;
    return TrackCodec::ReadTrackFile(reader, track, error) ? track.Level.BlockCount : -1;
}

// The block count of the track the editor holds, as play mode's snapshot writes it (F3).
int32_t BlocksInTheEditor(const Desktop& desktop, Window editor, const fs::path& folder) {
    const fs::path snapshot = folder / "tmp.trk";
    fs::remove(snapshot);
    desktop.Focus(editor);
    desktop.Key(editor, "F3");
    for (double waited = 0; waited < 20 && !fs::exists(snapshot); waited += 0.1) Sleep(0.1);
    Sleep(0.5);
    return BlocksOf(snapshot);
}

// The time runs from the Enter that chose the file until the editor shows its next window:
// a box (the file refused, or the values it could not keep told), or a second Open dialog
// that Ctrl+O asks for as soon as the first one has gone, which shows only once the editor's
// loop runs again. Whether the track was opened is told by play mode's snapshot afterwards.
Outcome RunEditor(const Desktop& desktop, const fs::path& folder, const char* limitKiB, int32_t trackBlocks) {
    for (double waited = 0; waited < 10 && desktop.Shows(bench::kEditorTitle); waited += 0.1) Sleep(0.1);
    auto running = StartLimited((folder / "VeloruneEdit").string(), limitKiB);
    const Window editor = desktop.WaitFor(bench::kEditorTitle, 30);
    if (!editor || !KeyUntil(desktop, editor, "o", ControlMask, "Open", 30)) return {"no Open dialog", 0, 0};
    const Window dialog = desktop.WaitFor("Open", 1);
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
    Window next = 0;
    bool box = false;
    auto asked = bench::Clock::time_point{};
    while (!next) {
        outcome.peakMb = std::max(outcome.peakMb, bench::PeakResidentMb(running->Pid()));
        outcome.seconds = bench::MsBetween(start, bench::Clock::now()) / 1000;
        if (running->Ended(std::chrono::seconds(0))) {
            outcome.what = "ended by signal " + std::to_string(running->EndingSignal()) + ", no box";
            return outcome;
        }
        if (outcome.seconds > kGiveUpSeconds) return outcome;
        if ((next = BoxBeside(desktop, editor))) {
            box = true;
            break;
        }
        const bool open = desktop.Shows("Open");
        if (open && asked != bench::Clock::time_point{}) next = desktop.WaitFor("Open", 0.1);
        else if (!open && bench::Clock::now() - asked > std::chrono::seconds(2)) {
            desktop.Focus(editor, 0);  // where the dialog left the keyboard to nobody
            desktop.Key(editor, "o", ControlMask);  // again after 2 s, should the first have been lost
            asked = bench::Clock::now();
        }
        Sleep(0.005);
    }
    outcome.peakMb = SettledPeak(*running, outcome.peakMb);
    desktop.Focus(next);
    desktop.Key(next, box ? "Return" : "Escape");
    for (double waited = 0; waited < 5 && (BoxBeside(desktop, editor) || desktop.Shows("Open")); waited += 0.1) Sleep(0.1);
    const bool opened = BlocksInTheEditor(desktop, editor, folder) == trackBlocks;
    outcome.what = opened ? (box ? "opened, told in a box" : "opened") : (box ? "refused in a box" : "not opened");
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
    std::string after, before, only;
    int runs = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--before" && i + 1 < argc) before = argv[++i];
        else if (arg == "quick") runs = 1;
        else if (arg == "game" || arg == "editor") only = arg;
        else after = arg;
    }
    if (after.empty()) {
        std::fprintf(stderr, "usage: bench_big_files <program folder> [--before <folder>] [quick] [game | editor]\n");
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
    const int32_t trackBlocks = BlocksOf(fs::path(after) / "levels" / kTrack);
    std::vector<Case> cases;
    for (const char* program : {"game", "editor"})
        for (const char* limit : only.empty() || only == program ? std::vector{kGuard, kLimit} : std::vector<const char*>{})
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
                done.push_back(c.program == "game" ? RunGame(folder, c.limitKiB)
                                                   : RunEditor(desktop, folder, c.limitKiB, trackBlocks));
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
