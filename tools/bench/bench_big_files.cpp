// Benchmark of files larger than what they hold or than memory holds. Beside the shipped
// levels.dat and track file, each grown to 300 MB, 1.5 GB and 5 GB by a stretch of zeros after
// its last byte (sparse files, which take no disk), and:
//  - a levels.dat of 1,500,000 real levels (the shipped levels 1 to 3 in turn, 968 MB);
//  - a track file of 1.5 GB whose block count fills it (the largest shipped track's blocks,
//    then blocks of zeros as far as the file goes, sparse; no other objects).
// Each program of the folders given is started for real, as a player or a track builder
// starts it, without a limit and again under a 2.5 GB address-space limit (ulimit -v 2621440):
//  - the game, in a scratch copy of its folder, until its levels are loaded (stats.dat, which
//    start-up writes right after, appears), it refuses levels.dat in a box, or it ends;
//  - the editor, the track opened through its Open dialog, until the editor answers again (a
//    second Open dialog, asked for with Ctrl+O as soon as the first one has gone, shows), it
//    refuses the file in a box, or it ends.
// Reported per case: what came of it, the seconds it took and the peak resident memory
// (VmHWM, read once the program has settled), min / median / max over the runs, and the
// ratio of the medians after / before; the seconds are marked where a key had to be sent again
// within the time. Without a limit, a program is stopped after 120 s, and it may take no more
// than 8 GB of address space, which guards a shared machine. A case that takes 30 s or more is
// not run again. The two builds run in turn, the one first alternating from run to run.
// Usage, under an X server (make bench runs it with the build's and the earlier build's bin):
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_big_files build/bin [--before FOLDER] [quick]
//       [runs] [game | editor]
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "shared/TrackCodec.h"
#include "tools/bench/BenchBuilds.h"
#include "tools/bench/BenchProcess.h"
#include "tools/bench/EditorDesktop.h"

namespace {

namespace fs = std::filesystem;
using bench::Desktop;
using bench::Sleep;

constexpr double kGiveUpSeconds = 120;
constexpr const char* kLimit = "2621440";      // KiB: 2.5 GB
constexpr const char* kGuard = "8388608";      // KiB: 8 GB, for the runs "without a limit"
constexpr const char* kTrack = "level10.lvl";  // the largest shipped track
constexpr const char* kGrownTrack = "grown.lvl";

// How a case's file is made at file, from the shipped one.
struct FileMaker {
    std::string name;
    std::function<bool(const fs::path& shipped, const fs::path& file)> make;
};

// The shipped file made size bytes long by zeros after its end, which the file system keeps
// as a hole.
FileMaker Grown(const std::string& name, uint64_t size) {
    return {name, [size](const fs::path& shipped, const fs::path& file) {
                std::error_code ec;
                fs::copy_file(shipped, file, ec);
                if (size && !ec) fs::resize_file(file, size, ec);
                return !ec;
            }};
}

std::vector<uint8_t> Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A levels.dat of count levels, the shipped levels.dat's first `kinds` levels in turn.
bool WriteManyLevels(const fs::path& shipped, const fs::path& file, int32_t count, size_t kinds) {
    const std::vector<uint8_t> bytes = Bytes(shipped);
    TrackCodec::LevelsFile levels;
    std::string error;
    if (!TrackCodec::ReadLevelsFile(bytes, levels, error) || levels.Levels.size() < kinds) return false;
    std::vector<std::vector<uint8_t>> blocks;
    for (size_t i = 0; i < kinds; ++i) {
        const auto from = bytes.begin() + static_cast<std::ptrdiff_t>(levels.BlockStarts[i]);
        blocks.emplace_back(from, from + static_cast<std::ptrdiff_t>(TrackCodec::TrackFileSize(levels.Levels[i])));
    }
    std::vector<uint8_t> head;
    TrackCodec::ByteWriter out(head);
    out.I32(count);
    for (int16_t flag : levels.ZoneAllStars) out.I16(flag);
    int32_t offset = 0;
    for (int32_t i = 0; i < count; ++i) {
        TrackCodec::WriteLevelIndexEntry(out, {offset, 0});
        offset += static_cast<int32_t>(blocks[static_cast<size_t>(i) % kinds].size());
    }
    std::ofstream to(file, std::ios::binary);
    to.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
    std::vector<uint8_t> round;
    for (const auto& block : blocks) round.insert(round.end(), block.begin(), block.end());
    for (int32_t i = 0; i + static_cast<int32_t>(kinds) <= count; i += static_cast<int32_t>(kinds))
        to.write(reinterpret_cast<const char*>(round.data()), static_cast<std::streamsize>(round.size()));
    return static_cast<bool>(to);
}

// The shipped track of size bytes whose block count fills it: its own blocks, then blocks of
// zeros as far as the file goes (a hole), then no other objects and its settings.
bool WriteFilledTrack(const fs::path& shipped, const fs::path& file, uint64_t size) {
    const std::vector<uint8_t> bytes = Bytes(shipped);
    TrackCodec::ByteReader in(bytes);
    TrackCodec::TrackFile track;
    std::string error;
    if (!TrackCodec::ReadTrackFile(in, track, error)) return false;
    track.Level.Platforms.clear();
    track.Level.Ramps.clear();
    track.Level.Stars.clear();
    std::vector<uint8_t> out;
    TrackCodec::ByteWriter writer(out);
    TrackCodec::WriteTrackFile(writer, track);
    const size_t tail = 3 * 4 + TrackCodec::kTrackSettingsSize;  // the three counts of -1 and the settings
    const size_t blocks = track.Level.Blocks.size() * TrackCodec::kBlockRecordSize;
    const size_t countAt = out.size() - tail - blocks - 4;
    const uint64_t filled = (size - countAt - 4 - tail) / TrackCodec::kBlockRecordSize;
    const auto upperBound = static_cast<uint32_t>(filled - 1);
    for (size_t k = 0; k < 4; ++k) out[countAt + k] = static_cast<uint8_t>(upperBound >> (8 * k));
    std::ofstream to(file, std::ios::binary);
    to.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(countAt + 4 + blocks));
    to.seekp(static_cast<std::streamoff>(countAt + 4 + filled * TrackCodec::kBlockRecordSize));
    to.write(reinterpret_cast<const char*>(out.data() + out.size() - tail), static_cast<std::streamsize>(tail));
    return static_cast<bool>(to);
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
    bool retriedKey = false;  // a key sent again within the seconds
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
    Outcome outcome{"gave up", 0, 0};
    auto start = bench::Clock::now();
    desktop.Key(dialog, "Return");
    // Where the name box's completion list took the first Enter, a second one opens the file.
    for (double waited = 0; waited < 1 && desktop.Shows("Open"); waited += 0.05) Sleep(0.05);
    if (desktop.Shows("Open")) {
        start = bench::Clock::now();
        desktop.Key(dialog, "Return");
        outcome.retriedKey = true;
    }
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
            outcome.retriedKey = outcome.retriedKey || asked != bench::Clock::time_point{};
            asked = bench::Clock::now();
        }
        Sleep(0.005);
    }
    outcome.peakMb = SettledPeak(*running, outcome.peakMb);
    // The box or dialog is closed, again until it has gone. A Ctrl+O sent for the second
    // dialog while a box was coming may open that dialog once the box has gone: it is closed
    // too, so that play mode's key reaches the editor.
    for (double waited = 0; waited < 10; waited += 0.5) {
        const Window shown = box ? BoxBeside(desktop, editor) : 0;
        const Window open = shown ? 0 : desktop.WaitFor("Open", 0.1);
        if (!shown && !open) break;
        desktop.Focus(shown ? shown : open);
        desktop.Press(shown ? "Return" : "Escape");
        Sleep(0.2);
    }
    const bool opened = BlocksInTheEditor(desktop, editor, folder) == trackBlocks;
    outcome.what = opened ? (box ? "opened, told in a box" : "opened") : (box ? "refused in a box" : "not opened");
    return outcome;
}

struct Case {
    std::string program;  // "game" or "editor"
    const FileMaker* file;
    const char* limitKiB;
};

std::string Name(const Case& c) {
    return c.program + ", " + c.file->name + (c.limitKiB == kLimit ? ", ulimit -v 2621440" : ", no limit");
}

struct Medians {
    double seconds = 0, mb = 0;
    int retried = 0;  // runs whose seconds took a retried key
};

constexpr const char* kRetriedNote =
    "* in that many runs the time took a key sent again: Enter, where the Open dialog still showed a second after "
    "the first\n  (timed from the second), or Ctrl+O, where no dialog had come 2 s after the last one (a lost key "
    "adds up to 2 s;\n  one waiting behind a long load changes nothing)";

// Each outcome with how often it came, then the seconds and the peak of all runs; the seconds
// marked with a * where runs took a retried key, and how many did.
Medians Report(const std::string& what, const std::vector<Outcome>& runs) {
    std::map<std::string, int> kinds;
    std::vector<double> seconds, mb;
    int retried = 0;
    for (const Outcome& o : runs) {
        ++kinds[o.what];
        seconds.push_back(o.seconds);
        mb.push_back(o.peakMb);
        retried += o.retriedKey;
    }
    std::string outcomes;
    for (const auto& [kind, count] : kinds) outcomes += (outcomes.empty() ? "" : ", ") + kind + " x" + std::to_string(count);
    const std::string mark = retried ? "   * " + std::to_string(retried) + " of " + std::to_string(runs.size()) : "";
    const bench::Figures s = bench::Summarise(seconds), m = bench::Summarise(mb);
    std::printf("  %-62s %-26s %6.2f / %6.2f / %6.2f s%s  %7.1f / %7.1f / %7.1f MB%s\n", what.c_str(),
                outcomes.c_str(), s.min, s.median, s.max, retried ? "*" : " ", m.min, m.median, m.max, mark.c_str());
    return {s.median, m.median, retried};
}

}  // namespace

int main(int argc, char** argv) {
    const bench::Arguments args =
        bench::ReadArguments(argc, argv, {.tool = "bench_big_files", .words = {"game", "editor"}});
    const std::string& after = args.after;
    const std::string& only = args.word;
    const int runs = args.runs ? args.runs : args.quick ? 1 : 3;
    const Desktop desktop;
    const fs::path scratch = fs::temp_directory_path() / ("bench_big_files_" + std::to_string(getpid()));
    std::map<std::string, fs::path> folders = {{"after", ScratchFolder(scratch, "after", after)}};
    for (const std::string& before : args.before) folders["before"] = ScratchFolder(scratch, "before", before);
    const fs::path manyLevels = scratch / "many levels.dat";
    const std::vector<FileMaker> levelsFiles = {
        Grown("shipped size", 0), Grown("300 MB", 300ull << 20), Grown("1.5 GB", 1536ull << 20),
        Grown("5 GB", 5ull << 30),
        {"1,500,000 real levels (968 MB)", [&manyLevels](const fs::path& shipped, const fs::path& file) {
             std::error_code ec;
             if (!fs::exists(manyLevels) && !WriteManyLevels(shipped, manyLevels, 1'500'000, 3)) return false;
             fs::create_hard_link(manyLevels, file, ec);  // written once: it takes a second or two
             return !ec;
         }}};
    const std::vector<FileMaker> trackFiles = {
        Grown("shipped size", 0), Grown("300 MB", 300ull << 20), Grown("1.5 GB", 1536ull << 20),
        Grown("5 GB", 5ull << 30),
        {"1.5 GB, block count filling it", [](const fs::path& shipped, const fs::path& file) {
             return WriteFilledTrack(shipped, file, 1536ull << 20);
         }}};
    const int32_t trackBlocks = BlocksOf(fs::path(after) / "levels" / kTrack);
    std::vector<Case> cases;
    for (const char* program : {"game", "editor"})
        for (const char* limit : only.empty() || only == program ? std::vector{kGuard, kLimit} : std::vector<const char*>{})
            for (const FileMaker& file : std::string(program) == "game" ? levelsFiles : trackFiles)
                cases.push_back({program, &file, limit});

    // By case and program. A case that takes 30 s or more is not run again.
    std::map<std::string, std::vector<Outcome>> outcomes;
    for (int run = 0; run < runs; ++run) {
        for (const Case& c : cases)
            for (const auto* build : bench::InTurn(folders, run)) {
                const auto& [name, folder] = *build;
                std::vector<Outcome>& done = outcomes[Name(c) + " (" + name + ")"];
                if (!done.empty() && done.back().seconds >= 30) continue;
                const fs::path file = c.program == "game" ? folder / "levels.dat" : folder / "levels" / kGrownTrack;
                const fs::path shipped = c.program == "game" ? fs::path(after) / "levels.dat"
                                                             : fs::path(after) / "levels" / kTrack;
                fs::remove(file);
                if (!c.file->make(shipped, file)) {
                    std::fprintf(stderr, "could not make %s\n", file.c_str());
                    return 1;
                }
                done.push_back(c.program == "game" ? RunGame(folder, c.limitKiB)
                                                   : RunEditor(desktop, folder, c.limitKiB, trackBlocks));
            }
        std::fprintf(stderr, "run %d of %d done\n", run + 1, runs);
    }
    std::error_code ec;
    fs::remove_all(scratch, ec);
    std::printf("Files larger than what they hold or than memory holds: what came of it; seconds and peak resident "
                "memory, min / median / max\n(game: start until its levels are loaded; editor: Enter in the Open "
                "dialog until it answers again)\n");
    bool retried = false;
    for (const Case& c : cases) {
        std::map<std::string, Medians> medians;
        for (const char* name : {"before", "after"}) {
            const std::string what = Name(c) + " (" + name + ")";
            if (folders.count(name)) medians[name] = Report(what, outcomes[what]);
            retried = retried || medians[name].retried > 0;
        }
        if (folders.count("before"))
            std::printf("  %-62s %-26s %23s s %32s MB\n", "  after / before, medians", "",
                        bench::Ratio(medians["after"].seconds, medians["before"].seconds).c_str(),
                        bench::Ratio(medians["after"].mb, medians["before"].mb).c_str());
    }
    if (retried) std::printf("%s\n", kRetriedNote);
    return 0;
}
