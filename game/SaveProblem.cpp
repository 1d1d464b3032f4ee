#include "game/SaveProblem.h"

#include <set>

#include "game/DebugLog.h"
#include "platform/MessageBox.h"

namespace SaveProblem {

void Report(const std::string& path, const std::string& what, const std::string& reason) {
    VeloRuneDebug::WriteDebugLine("Could not save " + what + " to " + path + ": " + reason +
                                  "; the change is kept until the game ends");
    static std::set<std::string> told;
    if (!told.insert(path).second) return;
    platform::MessageBox("Velorune could not save " + what + " to " + path + ": " + reason +
                             ".\n\nThe game keeps the change until you quit, but it will be lost then.",
                         "Velorune");
}

}  // namespace SaveProblem
