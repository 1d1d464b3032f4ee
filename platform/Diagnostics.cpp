#include "platform/Diagnostics.h"

namespace platform {
namespace {

std::function<void(const std::string&)> gSink;

}  // namespace

void SetDiagnosticSink(std::function<void(const std::string&)> sink) { gSink = std::move(sink); }

bool Diagnose(const std::string& text) {
    if (!gSink) return false;
    gSink(text);
    return true;
}

}  // namespace platform
