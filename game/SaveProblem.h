// A change the player expects to keep could not be written to one of the game's files. The
// debug log tells every such failure; the player is told once per file and session, in a
// message box, so that nothing is lost silently and nothing nags.
#pragma once
#include <string>

namespace SaveProblem {

// what: the change, as the player would name it ("the best times of level 3"); reason: the
// system's ("Permission denied"). The change stays in memory for the session.
void Report(const std::string& path, const std::string& what, const std::string& reason);

}  // namespace SaveProblem
