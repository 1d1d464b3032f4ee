// SIGTERM, SIGINT (Ctrl+C where the program was started) and SIGHUP (that terminal closed)
// ask the program to end, all three alike. Its loops see the request and end it in order, and
// the long loads of levels and tracks stop at their next piece; where it is too busy to see it
// (a long save), it ends as a program that does not catch the signal would, at most kEndGrace
// after the request. A signal ignored when the program started
// (nohup, a job a script left in the background) stays ignored.
#pragma once
#include <chrono>

namespace platform {

inline constexpr std::chrono::milliseconds kEndGrace{600};

// From now on, for the rest of the program. whenAsked, if given, runs in the signal handler
// once the request is noted, so it may do only what a handler may (write to a pipe).
void CatchEndSignals(void (*whenAsked)() = nullptr);
// Whether an end has been asked for.
bool EndRequested();
// True once for each request, for the loop that passes it on as its own end event.
bool TakeEndRequest();

}  // namespace platform
