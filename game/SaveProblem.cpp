#include "game/SaveProblem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "game/DebugLog.h"
#include "game/Globals.h"
#include "platform/MessageBox.h"
#include "platform/ReadableFile.h"
#include "shared/BinaryFile.h"

namespace SaveProblem {
namespace {

constexpr const char* kTitle = "Velorune";

std::vector<std::string> gHeld;  // problems waiting for the name entry to end

struct StartUpProblem {
    std::string path, reason;
};
std::vector<StartUpProblem> gStartUpProblems;

// The reason start-up told for each file it named, whose later failures for that reason are
// only logged.
std::map<std::string, std::string> gToldAtStartUp;

std::string FolderOf(const std::string& path) { return std::filesystem::path(path).parent_path().string(); }

bool ToldAtStartUp(const std::string& path, const std::string& reason) {
    const auto told = gToldAtStartUp.find(path);
    return told != gToldAtStartUp.end() && told->second == reason;
}

// Why a save could not write the file, found without writing: the file refuses writing, or
// the folder a new file, when the save would replace the file with one.
struct Refusal {
    std::string reason;
    bool byFolder = false;
};
std::optional<Refusal> WriteRefusal(const SavedFile& file) {
    BinaryFile::FileLayer& files = BinaryFile::Files();
    // A save writes the file a link leads to, or reads it to replace the link: a loop of links
    // fails every save, as a FIFO, a device or a folder there does.
    struct stat target {};
    const bool found = files.StatPath(file.path, &target) == 0;
    if (!found && errno != ENOENT) return Refusal{std::strerror(errno), false};
    if (found && !S_ISREG(target.st_mode))
        return Refusal{S_ISDIR(target.st_mode) ? std::strerror(EISDIR) : platform::FileFailure(platform::kNotARegularFile), false};
    if (found && files.Access(file.path, W_OK) != 0) return Refusal{std::strerror(errno), false};
    if (file.savedBytes == 0) return std::nullopt;  // written in place, through its links
    std::error_code unknown;
    const bool link = std::filesystem::is_symlink(std::filesystem::symlink_status(file.path, unknown));
    const bool replaced = !found || link || target.st_nlink > 1 || static_cast<uint64_t>(target.st_size) <= file.savedBytes;
    if (replaced && files.Access(FolderOf(file.path), W_OK) != 0) return Refusal{std::strerror(errno), true};
    return std::nullopt;
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

void TellStartUp(const std::vector<SavedFile>& saved) {
    const std::vector<StartUpProblem> written = std::move(gStartUpProblems);
    gStartUpProblems.clear();
    struct Unstored {
        const SavedFile* file;
        Refusal refusal;
    };
    std::vector<Unstored> unstored;
    for (const SavedFile& file : saved) {
        std::optional<Refusal> refusal = WriteRefusal(file);
        const auto write = std::find_if(written.begin(), written.end(), [&](auto& p) { return p.path == file.path; });
        if (write != written.end()) {
            VeloRuneDebug::WriteDebugLine("Could not write " + file.path + " at start-up: " + write->reason);
            // The folder is to blame only where it refuses a new file; otherwise the file
            // itself or the disk refused the write.
            refusal = Refusal{write->reason, refusal && refusal->byFolder};
        } else if (refusal) {
            VeloRuneDebug::WriteDebugLine("Cannot save into " + file.path + ": " +
                                          (refusal->byFolder ? "its folder takes no new file" : "it takes no writes") +
                                          " (" + refusal->reason + ")");
        }
        if (!refusal) continue;
        gToldAtStartUp[file.path] = refusal->reason;
        unstored.push_back({&file, *refusal});
    }
    if (unstored.empty()) return;
    std::vector<std::string> names, whats;
    bool byFolder = false;
    for (const Unstored& u : unstored) {
        names.push_back(std::filesystem::path(u.file->path).filename().string());
        whats.push_back(u.file->what);
        byFolder = byFolder || u.refusal.byFolder;
    }
    const std::string folder = FolderOf(unstored.front().file->path);
    const std::string cannot =
        byFolder ? "store files in its folder " + folder : "write to " + JoinedList(names) + " in its folder " + folder;
    platform::MessageBox("Velorune cannot " + cannot + " (" + unstored.front().refusal.reason + "), so your " +
                             JoinedList(whats) + " cannot be stored there this session.\n\nYou can play as usual.",
                         kTitle);
}

}  // namespace SaveProblem
