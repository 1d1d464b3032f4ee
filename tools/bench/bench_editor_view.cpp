// Benchmark of the level editor's viewport on a large track and on a shipped one: the program
// started for real on a track of 200,000 blocks with one star at its start (a star spins, so
// that every frame is drawn) and on level 10, each opened through the Open dialog; measured in
// edit mode, then, after F3, in play mode. In each mode: the cores the process uses (user and
// system time of every thread), the pictures it shows a second and the longest time between
// two of them, over a window of seconds; in edit mode also the time from a key to the property
// panel showing what it did, and to the first picture drawn after it: Space (a new block, which
// the panel shows), Right (the block one unit along, the panel's X) and, on the large track,
// Delete (a block near its start, clicked on first, taken out: every later block moves down).
// The pictures are seen by bench_swap_times_hook, loaded into the program; the panel by reading
// its pixels from the X server until they change. Keys go to the window as the X server would
// send them. With --before, a second program folder (the editor as it was) is measured in turn
// in the same runs, the one first alternating from run to run, and the ratio of the two medians
// reported under their figures. Figures are min / median / max: over the runs, and for the keys
// over every press.
// Usage, under an X server:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_editor_view build/bin [--before FOLDER] [quick] [runs]
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tools/bench/BenchBuilds.h"
#include "tools/bench/BenchFigures.h"
#include "tools/bench/BenchProcess.h"
#include "tools/bench/BenchTracks.h"
#include "tools/bench/EditorDesktop.h"

namespace {

namespace fs = std::filesystem;
using bench::Desktop;
using bench::Sleep;

constexpr int32_t kBlocks = 200000;
constexpr const char* kGeneratedTrack = "grid200000star.lvl";
constexpr int kPanelHeight = 117;  // the property panel across the bottom of the window
constexpr int kKeyRounds = 5;

struct Track {
    std::string name;  // as the report names it
    std::string file;  // in the program folder's levels folder
    bool grid = false;  // the generated one: blocks under every point of the view's lower half
};

struct Settings {
    double measureSeconds = 10;
    int runs = 3;
};

double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The times, in seconds, at which the program has shown a picture so far.
std::vector<double> SwapTimes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<double> times;
    long long ns = 0;
    while (in.read(reinterpret_cast<char*>(&ns), sizeof ns)) times.push_back(static_cast<double>(ns) / 1e9);
    return times;
}

// Waits until the program shows pictures again after a step that keeps it busy (opening a
// track, entering play mode): ten pictures within a second. False when it does not in a minute.
bool ShowsPicturesAgain(const fs::path& swaps) {
    for (double start = Now(); Now() - start < 60; Sleep(0.2)) {
        const std::vector<double> times = SwapTimes(swaps);
        const double now = Now();
        size_t recent = 0;
        for (double t : times) recent += now - t < 1.0;
        if (recent >= 10) return true;
    }
    return false;
}

struct Figures {
    double cores = -1, fps = 0, longestMs = 0;
};

Figures MeasureFrames(const bench::Process& running, const fs::path& swaps, const Settings& settings) {
    Figures f;
    const double from = Now();
    f.cores = running.CoresOver(std::chrono::duration<double>(settings.measureSeconds));
    const double to = Now();
    double last = from;
    int shown = 0;
    for (double t : SwapTimes(swaps)) {
        if (t < from || t > to) continue;
        f.longestMs = std::max(f.longestMs, (t - last) * 1000);
        last = t;
        ++shown;
    }
    f.longestMs = std::max(f.longestMs, (to - last) * 1000);
    f.fps = shown / (to - from);
    return f;
}

// Two cells of the panel that every key measured changes: the X box and the top face's list,
// which a plain block enables.
std::vector<char> PanelCells(const Desktop& desktop, Window editor) {
    const int top = desktop.Height(editor) - kPanelHeight;
    std::vector<char> cells = desktop.Pixels(editor, 48, top + 46, 36, 20);
    const std::vector<char> list = desktop.Pixels(editor, 160, top + 70, 100, 22);
    cells.insert(cells.end(), list.begin(), list.end());
    return cells;
}

// Milliseconds from a key to the panel's change and to the first picture shown after that
// change; -1 for what did not come in 10 seconds.
struct KeyTimes {
    double panelMs = -1, pictureMs = -1;
};

bool PanelChanges(const Desktop& desktop, Window editor, const std::vector<char>& before, double from) {
    for (; Now() - from < 10; Sleep(0.001))
        if (PanelCells(desktop, editor) != before) return true;
    return false;
}

KeyTimes KeyToPanel(const Desktop& desktop, Window editor, const char* key, const fs::path& swaps) {
    KeyTimes t;
    const std::vector<char> before = PanelCells(desktop, editor);
    const double sent = Now();
    desktop.Key(editor, key);
    if (!PanelChanges(desktop, editor, before, sent)) return t;
    const double changed = Now();
    t.panelMs = (changed - sent) * 1000;
    for (; Now() - sent < 10; Sleep(0.002))
        for (double shown : SwapTimes(swaps))
            if (shown > changed) {
                t.pictureMs = (shown - sent) * 1000;
                return t;
            }
    return t;
}

// Selects a block of the grid before the camera (one of the first rows of the track) by a click
// on it; false when the panel does not show a selection.
bool SelectNearBlock(const Desktop& desktop, Window editor, int round) {
    const std::vector<char> before = PanelCells(desktop, editor);
    desktop.Click(editor, 120 + 70 * round, 300);
    return PanelChanges(desktop, editor, before, Now());
}

struct Session {
    Figures edit, play;
    std::vector<KeyTimes> insert, right, remove;
    bool ok = false;
};

Session Measure(const Desktop& desktop, const std::string& folder, const std::string& hook, const Track& track,
                const Settings& settings) {
    Session s;
    const fs::path swaps = fs::path(folder) / "swap_times";
    const fs::path snapshot = fs::path(folder) / "tmp.trk";
    std::error_code ec;
    fs::remove(swaps, ec);
    fs::remove(snapshot, ec);
    // The window of the editor measured before may outlast its process for a moment.
    for (double waited = 0; waited < 10 && desktop.Shows(bench::kEditorTitle); waited += 0.1) Sleep(0.1);
    bench::Process running(folder + "/VeloruneEdit", {},
                           {"LD_PRELOAD=" + hook, "VELORUNE_SWAP_TIMES_FILE=" + swaps.string()});
    if (!running.Started()) return s;
    const Window editor = desktop.WaitFor(bench::kEditorTitle, 30);
    if (!editor) return s;
    Sleep(1);
    if (!bench::OpenTrack(desktop, editor, track.file) || !ShowsPicturesAgain(swaps)) {
        std::fprintf(stderr, "%s did not open %s\n", folder.c_str(), track.file.c_str());
        return s;
    }
    Sleep(1);
    s.edit = MeasureFrames(running, swaps, settings);
    desktop.Focus(editor);
    for (int round = 0; round < kKeyRounds; ++round) {
        s.insert.push_back(KeyToPanel(desktop, editor, "space", swaps));
        Sleep(0.3);
        s.right.push_back(KeyToPanel(desktop, editor, "Right", swaps));
        Sleep(0.3);
    }
    for (int round = 0; round < kKeyRounds && track.grid; ++round) {
        s.remove.push_back(SelectNearBlock(desktop, editor, round) ? KeyToPanel(desktop, editor, "Delete", swaps) : KeyTimes{});
        Sleep(0.3);
    }
    desktop.Key(editor, "F3");
    for (double waited = 0; waited < 60 && !fs::exists(snapshot); waited += 0.1) Sleep(0.1);
    if (!fs::exists(snapshot) || !ShowsPicturesAgain(swaps)) {
        std::fprintf(stderr, "%s did not get to play mode on %s\n", folder.c_str(), track.file.c_str());
        return s;
    }
    Sleep(1);
    s.play = MeasureFrames(running, swaps, settings);
    s.ok = true;
    return s;
}

void Report(const std::string& what, const std::vector<double>& values, const char* unit, int decimals) {
    const bench::Figures f = bench::Summarise(values);
    std::printf("  %-52s min %8.*f  median %8.*f  max %8.*f %s\n", what.c_str(), decimals, f.min, decimals, f.median,
                decimals, f.max, unit);
}

}  // namespace

int main(int argc, char** argv) {
    const bench::Arguments args = bench::ReadArguments(argc, argv, {.tool = "bench_editor_view"});
    Settings settings;
    if (args.quick) settings = {4, 1};
    if (args.runs) settings.runs = args.runs;
    const Desktop desktop;
    std::error_code ec;
    const fs::path tools = fs::read_symlink("/proc/self/exe", ec).parent_path();
    const std::string hook = (tools / "libbench_swap_times_hook.so").string();
    const fs::path scratch = fs::temp_directory_path() / ("bench_editor_view_" + std::to_string(getpid()));
    std::map<std::string, std::string> programs = {
        {"after", bench::ScratchProgramFolder(scratch, "after", args.after)}};
    for (const std::string& before : args.before)
        programs["before"] = bench::ScratchProgramFolder(scratch, "before", before);
    const std::vector<uint8_t> generated = bench::GridTrackFile(kBlocks, true);
    bool failed = false;
    for (const auto& [name, folder] : programs) failed = failed || !bench::AddTrack(folder, kGeneratedTrack, generated);

    const std::vector<Track> tracks = {{"200,000 blocks and a star", kGeneratedTrack, true},
                                       {"level 10", "level10.lvl"}};
    std::map<std::string, std::vector<double>> figures;  // by what and program
    for (int run = 0; run < settings.runs && !failed; ++run) {
        for (const Track& track : tracks)
            for (const auto* program : bench::InTurn(programs, run)) {
                const auto& [name, folder] = *program;
                const Session s = Measure(desktop, folder, hook, track, settings);
                failed = failed || !s.ok;
                const std::string of = " (" + name + ")";
                for (const auto& [mode, f] : {std::pair{", edit mode", s.edit}, std::pair{", play mode", s.play}}) {
                    figures[track.name + mode + ": cores" + of].push_back(f.cores);
                    figures[track.name + mode + ": pictures a second" + of].push_back(f.fps);
                    figures[track.name + mode + ": longest between two, ms" + of].push_back(f.longestMs);
                }
                for (const auto& [key, times] : {std::pair{"Space", &s.insert}, std::pair{"Right", &s.right},
                                                 std::pair{"Delete", &s.remove}})
                    for (const KeyTimes& t : *times) {
                        figures[track.name + ": " + key + " to the panel, ms" + of].push_back(t.panelMs);
                        figures[track.name + ": " + key + " to the next picture, ms" + of].push_back(t.pictureMs);
                    }
            }
        std::fprintf(stderr, "run %d of %d done\n", run + 1, settings.runs);
    }
    fs::remove_all(scratch, ec);
    if (failed) return 1;
    std::printf("Editor viewport: min / median / max over %d runs of %.0f s (keys: over every press, -1 = no change)\n",
                settings.runs, settings.measureSeconds);
    for (const Track& track : tracks) {
        std::vector<std::string> whats;
        for (const char* mode : {", edit mode", ", play mode"})
            for (const char* figure : {": cores", ": pictures a second", ": longest between two, ms"})
                whats.push_back(track.name + mode + figure);
        for (const char* key : {"Space", "Right", "Delete"})
            for (const char* to : {" to the panel, ms", " to the next picture, ms"})
                if (track.grid || std::string(key) != "Delete") whats.push_back(track.name + ": " + key + to);
        for (const std::string& what : whats) {
            for (const char* name : {"before", "after"})
                if (programs.count(name)) {
                    const std::string key = what + " (" + name + ")";
                    Report(key, figures[key], "", what.find("cores") != std::string::npos ? 3 : 1);
                }
            if (programs.count("before"))
                bench::ReportRatio(52, what + " (after / before)", figures[what + " (after)"],
                                   figures[what + " (before)"]);
        }
    }
    return 0;
}
