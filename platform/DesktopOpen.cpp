#include "platform/DesktopOpen.h"

#include <spawn.h>
#include <sys/wait.h>

#include <thread>

#include "platform/ChildEnvironment.h"

namespace platform {
namespace {

// Once xdg-open has run this long it is running the viewer itself, which shows the file.
constexpr auto kVerdictTime = std::chrono::milliseconds(2500);

}  // namespace

DesktopOpening::DesktopOpening(const std::string& path) : started_(std::chrono::steady_clock::now()) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);  // the viewer gets none of the program's files
    char program[] = "xdg-open";
    std::string file = path;
    char* argv[] = {program, file.data(), nullptr};
    if (posix_spawnp(&pid_, program, &actions, nullptr, argv, ChildEnvironment()) != 0) {
        pid_ = 0;
        outcome_ = Outcome::NotShown;
    }
    posix_spawn_file_actions_destroy(&actions);
}

DesktopOpening::~DesktopOpening() {
    if (pid_ != 0) std::thread([pid = pid_] { waitpid(pid, nullptr, 0); }).detach();
}

DesktopOpening::Outcome DesktopOpening::Poll() {
    if (pid_ == 0) return outcome_;
    int status = 0;
    const pid_t ended = waitpid(pid_, &status, WNOHANG);
    if (ended == pid_ || ended < 0) {
        pid_ = 0;
        if (outcome_ == Outcome::Pending)
            outcome_ = ended < 0 || (WIFEXITED(status) && WEXITSTATUS(status) == 0) ? Outcome::Shown : Outcome::NotShown;
    } else if (outcome_ == Outcome::Pending && std::chrono::steady_clock::now() - started_ >= kVerdictTime) {
        outcome_ = Outcome::Shown;
    }
    return outcome_;
}

}  // namespace platform
