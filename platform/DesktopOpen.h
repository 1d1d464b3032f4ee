// Hands a file to the desktop's viewer for its kind, through xdg-open, without waiting on it.
// xdg-open either hands the file to a running desktop and ends, gives up (it knows no program
// for the file, which may take it seconds to find out), or runs the viewer itself until the
// viewer is closed: only its exit tells what became of the file, however long that takes, so
// the caller asks again, and a viewer still running is no failure.
// Openings and the reaping of their viewers belong to one thread.
#pragma once
#include <sys/types.h>

#include <string>

namespace platform {

class DesktopOpening {
public:
    enum class Outcome { Pending, Shown, NotShown };

    // Starts xdg-open on path; NotShown at once when none is installed. An ignored SIGCHLD,
    // as a parent may leave it, goes back to its default first: else the exit would be lost.
    explicit DesktopOpening(const std::string& path);
    // A viewer still running is left to run; ReapEndedViewers reaps it once it has ended.
    ~DesktopOpening();
    DesktopOpening(const DesktopOpening&) = delete;
    DesktopOpening& operator=(const DesktopOpening&) = delete;

    // Pending while xdg-open runs; then Shown when it ended well, else NotShown.
    Outcome Poll();

private:
    pid_t pid_ = 0;  // 0 once reaped or never started
    Outcome outcome_ = Outcome::Pending;
};

// Reaps the viewers that openings gone since left running and that have ended by now. For the
// passes of a program's loop: it never waits and starts nothing.
void ReapEndedViewers();

}  // namespace platform
