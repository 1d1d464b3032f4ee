// Hands a file to the desktop's viewer for its kind, through xdg-open, without waiting on it.
// xdg-open either hands the file to a running desktop and ends, gives up within moments (it
// knows no program for the file), or runs the viewer itself until the viewer is closed: so
// whether the file is shown is known only a moment later, and the caller asks again.
// Openings and the reaping of their viewers belong to one thread.
#pragma once
#include <sys/types.h>

#include <chrono>
#include <string>

namespace platform {

class DesktopOpening {
public:
    enum class Outcome { Pending, Shown, NotShown };

    // Starts xdg-open on path; NotShown at once when none is installed.
    explicit DesktopOpening(const std::string& path);
    // A viewer still running is left to run; ReapEndedViewers reaps it once it has ended.
    ~DesktopOpening();
    DesktopOpening(const DesktopOpening&) = delete;
    DesktopOpening& operator=(const DesktopOpening&) = delete;

    // Shown once xdg-open ended well or has run long enough to be showing the file.
    Outcome Poll();

private:
    pid_t pid_ = 0;  // 0 once reaped or never started
    std::chrono::steady_clock::time_point started_;
    Outcome outcome_ = Outcome::Pending;
};

// Reaps the viewers that openings gone since left running and that have ended by now. For the
// passes of a program's loop: it never waits and starts nothing.
void ReapEndedViewers();

}  // namespace platform
