#include "editor/qt/CloseOnEndSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include "editor/qt/EditorWindow.h"
#include "platform/EndSignals.h"

namespace editor {
namespace {

int gSignalPipe[2] = {-1, -1};  // the handler writes, the event loop reads

void WakeTheLoop() {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(gSignalPipe[1], &byte, 1);
}

constexpr int kRetryMs = 10;

// A box's own loop runs inside the handler that showed it: close the box, and the window
// only once the handlers have returned.
void EndWhenNoBox(EditorWindow* window) {
    if (QWidget* box = QApplication::activeModalWidget()) {
        box->close();
        QTimer::singleShot(kRetryMs, window, [window] { EndWhenNoBox(window); });
        return;
    }
    window->Unload();
}

}  // namespace

void CloseOnEndSignals(EditorWindow& window) {
    if (pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals keep their default: the editor ends at once
    auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char bytes[16];
        [[maybe_unused]] const ssize_t read = ::read(gSignalPipe[0], bytes, sizeof bytes);
        EndWhenNoBox(&window);
    });
    platform::CatchEndSignals(WakeTheLoop);
}

}  // namespace editor
