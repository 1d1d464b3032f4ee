// Why the stand-in layer refused something it was asked to load ("Picture ... refused: ...").
// The program sends these lines to its debug log; until it sets a sink they go nowhere.
#pragma once
#include <functional>
#include <string>

namespace platform {

void SetDiagnosticSink(std::function<void(const std::string&)> sink);
void Diagnose(const std::string& text);

}  // namespace platform
