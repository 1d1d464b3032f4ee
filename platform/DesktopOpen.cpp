#include "platform/DesktopOpen.h"

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace platform {
namespace {

// xdg-open either hands the file to a running desktop and ends, gives up within moments, or
// runs the viewer itself until it is closed; once it has run this long it is taken to show
// the file.
constexpr auto kVerdictTime = std::chrono::milliseconds(2500);
constexpr auto kPollTime = std::chrono::milliseconds(10);

}  // namespace

bool OpenWithDesktop(const std::string& path) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);  // the viewer gets none of the program's files
    char program[] = "xdg-open";
    std::string file = path;
    char* argv[] = {program, file.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;

    const auto deadline = std::chrono::steady_clock::now() + kVerdictTime;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (ended < 0) return true;
        std::this_thread::sleep_for(kPollTime);
    }
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();  // the viewer is up; reaped when it closes
    return true;
}

}  // namespace platform
