#include "platform/DesktopOpen.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <vector>

#include "platform/ChildEnvironment.h"

namespace platform {
namespace {

// The viewers of openings gone since, not yet reaped. Never destroyed: an opening held by a
// global may go during static destruction, after this file's globals.
std::vector<pid_t>& Unreaped() {
    static auto* viewers = new std::vector<pid_t>;
    return *viewers;
}

// A SIGCHLD ignored (or set to reap children unasked) makes the system throw the exits of
// children away, a failed viewer's with them: the default keeps them until they are reaped.
void KeepChildExits() {
    struct sigaction now{};
    if (sigaction(SIGCHLD, nullptr, &now) != 0) return;
    if (now.sa_handler != SIG_IGN && !(now.sa_flags & SA_NOCLDWAIT)) return;
    struct sigaction keep{};
    keep.sa_handler = SIG_DFL;
    sigemptyset(&keep.sa_mask);
    sigaction(SIGCHLD, &keep, nullptr);
}

// Reaps the child if it has ended; one that is no longer this process's child counts as ended.
bool Reaped(pid_t pid, int* status = nullptr) {
    const pid_t ended = waitpid(pid, status, WNOHANG);
    return ended == pid || ended < 0;
}

}  // namespace

DesktopOpening::DesktopOpening(const std::string& path) {
    KeepChildExits();
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
    if (pid_ != 0 && !Reaped(pid_)) Unreaped().push_back(pid_);
}

DesktopOpening::Outcome DesktopOpening::Poll() {
    if (pid_ == 0) return outcome_;
    int status = 0;  // stays 0, as for a good end, for a child reaped elsewhere
    if (Reaped(pid_, &status)) {
        const bool ranWell = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        pid_ = 0;
        outcome_ = ranWell ? Outcome::Shown : Outcome::NotShown;
    }
    return outcome_;
}

void ReapEndedViewers() { std::erase_if(Unreaped(), [](pid_t pid) { return Reaped(pid); }); }

}  // namespace platform
