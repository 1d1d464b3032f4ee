// A change the player expects to keep could not be written to one of the game's files. The
// debug log tells every such failure; the player is told once per file and session, in a
// message box, so that nothing is lost silently and nothing nags. A box never comes up over
// the name entry of a new record: it waits until the name has been entered.
//
// Start-up writes two files for itself (a first or repaired options.dat, a first stats.dat);
// when the folder takes neither, the player has changed nothing yet and is told once, for the
// folder, what cannot be stored this session. Later failures in that folder for the same
// reason are only logged; another reason is told as above.
#pragma once
#include <string>

namespace SaveProblem {

// what: the change, as the player would name it ("the best times of level 3"); reason: the
// system's ("Permission denied"). The change stays in memory for the session.
void Report(const std::string& path, const std::string& what, const std::string& reason);
// Tells, in one message, what waited for the name entry to end.
void TellHeld();

// A file start-up writes for itself could not be written; kept for TellStartUp (the debug
// log may not be open yet).
void ReportAtStartUp(const std::string& path, const std::string& reason);
// Logs each problem ReportAtStartUp kept and tells them all in one message naming the folder
// and the reason; nothing when there were none.
void TellStartUp();

}  // namespace SaveProblem
