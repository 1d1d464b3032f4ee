// Why the stand-in layer refused something it was asked to load ("Picture ... refused: ..."),
// and the lines of a message box's text that the box could not show, the empty one between
// its paragraphs too. The program sends these
// lines to its debug log; until it sets a sink they go nowhere.
#pragma once
#include <functional>
#include <string>

namespace platform {

void SetDiagnosticSink(std::function<void(const std::string&)> sink);
// False when no sink took the line.
bool Diagnose(const std::string& text);

}  // namespace platform
