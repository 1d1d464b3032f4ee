// A change the player expects to keep could not be written to one of the game's files. The
// debug log tells every such failure; the player is told once per file and session, in a
// message box, so that nothing is lost silently and nothing nags. A box never comes up over
// the name entry of a new record: it waits until the name has been entered.
//
// Start-up writes two files for itself (a first or repaired options.dat, a first stats.dat),
// and looks whether the folder and the files it saves into take writes. When they do not, the
// player has changed nothing yet and is told once what cannot be stored this session. Later
// failures of those files for the same reason are only logged; another reason is told as above.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace SaveProblem {

// what: the change, as the player would name it ("the best times of level 3"); reason: the
// system's ("Permission denied"). The change stays in memory for the session.
void Report(const std::string& path, const std::string& what, const std::string& reason);
// Tells, in one message, what waited for the name entry to end.
void TellHeld();

// A file the game saves into as it runs.
struct SavedFile {
    std::string path;
    std::string what;  // what the player would lose without it: "settings"
    // A save writes this many bytes at the file's start: a file no longer than that, a link and
    // a file with another name are replaced whole, by a new file in its folder, and a longer
    // one is written in place. 0: the file is only ever written in place, through its links.
    size_t savedBytes = 0;
};

// A file start-up writes for itself could not be written; kept for TellStartUp (the debug
// log may not be open yet).
void ReportAtStartUp(const std::string& path, const std::string& reason);
// Logs each problem ReportAtStartUp kept and each of the saved files that a save could not
// write as the file and its folder stand now, and tells them all in one message naming the
// folder, what cannot be stored and the reason; nothing when there are none.
void TellStartUp(const std::vector<SavedFile>& saved);

}  // namespace SaveProblem
