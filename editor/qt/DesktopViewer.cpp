#include "editor/qt/DesktopViewer.h"

#include <spawn.h>
#include <sys/wait.h>

#include <QTimer>

extern char** environ;

namespace editor {
namespace {

constexpr int kWatchMs = 250;

}  // namespace

void OpenInDesktopViewer(const std::string& path, QObject& owner, std::function<void()> failed) {
    pid_t opener = 0;
    std::string program = "xdg-open", file = path;
    char* argv[] = {program.data(), file.data(), nullptr};
    if (posix_spawnp(&opener, "xdg-open", nullptr, nullptr, argv, environ) != 0) {
        failed();
        return;
    }
    // Its own child, not Qt's: a viewer the user still reads outlives the editor.
    auto* watch = new QTimer(&owner);
    QObject::connect(watch, &QTimer::timeout, watch, [watch, opener, failed = std::move(failed)] {
        int status = 0;
        const pid_t ended = waitpid(opener, &status, WNOHANG);
        if (ended == 0) return;  // still running: a viewer has the file
        watch->deleteLater();
        if (ended < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) failed();
    });
    watch->start(kWatchMs);
}

}  // namespace editor
