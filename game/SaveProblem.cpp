#include "game/SaveProblem.h"

#include <unistd.h>

#include <filesystem>
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
    const std::string folder = std::filesystem::path(problems.front().path).parent_path().string();
    platform::MessageBox("Velorune cannot store files in its folder " + folder + " (" + problems.front().reason +
                             "), so your settings, play statistics" + (bestTimesToo ? " and best times" : "") +
                             " cannot be stored there this session.\n\nYou can play as usual.",
                         kTitle);
}

}  // namespace SaveProblem
