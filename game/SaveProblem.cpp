#include "game/SaveProblem.h"

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <set>
#include <vector>

#include "game/DebugLog.h"
#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "platform/MessageBox.h"
#include "shared/BinaryFile.h"

namespace SaveProblem {
namespace {

constexpr const char* kTitle = "Velorune";

std::vector<std::string> gHeld;  // problems waiting for the name entry to end

struct StartUpProblem {
    std::string path, reason;
};
std::vector<StartUpProblem> gStartUpProblems;

// What the first-start message said cannot be stored this session: the files of a folder
// that fail for one reason, levels.dat among them when it named the best times.
struct ToldForTheSession {
    std::string folder, reason;
    bool bestTimes = false;
};
std::optional<ToldForTheSession> gToldAtStartUp;

std::string FolderOf(const std::string& path) { return std::filesystem::path(path).parent_path().string(); }

bool ToldAtStartUp(const std::string& path, const std::string& reason) {
    if (!gToldAtStartUp || FolderOf(path) != gToldAtStartUp->folder || reason != gToldAtStartUp->reason) return false;
    return path != LevelStructure::LevelsFilePath() || gToldAtStartUp->bestTimes;
}

// "a", "a and b", "a, b and c".
std::string JoinedList(const std::vector<std::string>& items) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return text;
}

std::string Problem(const std::string& path, const std::string& what, const std::string& reason) {
    return "Velorune could not save " + what + " to " + path + ": " + reason + ".";
}

// The problems of one moment, in one box.
void Tell(const std::vector<std::string>& problems) {
    std::string text;
    for (const std::string& problem : problems) text += problem + "\n";
    text += problems.size() == 1 ? "\nThe game keeps the change until you quit, but it will be lost then."
                                 : "\nThe game keeps the changes until you quit, but they will be lost then.";
    platform::MessageBox(text, kTitle);
}

}  // namespace

void Report(const std::string& path, const std::string& what, const std::string& reason) {
    VeloRuneDebug::WriteDebugLine("Could not save " + what + " to " + path + ": " + reason +
                                  "; the change is kept until the game ends");
    if (ToldAtStartUp(path, reason)) return;
    static std::set<std::string> told;
    if (!told.insert(path).second) return;
    // The keys typed for a record's name must reach the name, not a box.
    if (gGameState == STATE_NAMEENTRY) {
        gHeld.push_back(Problem(path, what, reason));
        return;
    }
    Tell({Problem(path, what, reason)});
}

void TellHeld() {
    if (gHeld.empty()) return;
    const std::vector<std::string> held = std::move(gHeld);
    gHeld.clear();
    Tell(held);
}

void ReportAtStartUp(const std::string& path, const std::string& reason) {
    gStartUpProblems.push_back({path, reason});
}

void TellStartUp() {
    if (gStartUpProblems.empty()) return;
    const std::vector<StartUpProblem> problems = std::move(gStartUpProblems);
    gStartUpProblems.clear();
    for (const StartUpProblem& p : problems)
        VeloRuneDebug::WriteDebugLine("Could not write " + p.path + " at start-up: " + p.reason);
    // Best times are written into levels.dat in place, which a full disk still allows.
    const bool bestTimesToo = BinaryFile::Files().Access(LevelStructure::LevelsFilePath(), W_OK) != 0;
    std::vector<std::string> unstored = {"settings", "play statistics"};
    if (bestTimesToo) unstored.push_back("best times");
    gToldAtStartUp = {FolderOf(problems.front().path), problems.front().reason, bestTimesToo};
    platform::MessageBox("Velorune cannot store files in its folder " + gToldAtStartUp->folder + " (" +
                             gToldAtStartUp->reason + "), so your " + JoinedList(unstored) +
                             " cannot be stored there this session.\n\nYou can play as usual.",
                         kTitle);
}

}  // namespace SaveProblem
