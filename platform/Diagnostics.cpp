#include "platform/Diagnostics.h"

namespace platform {
namespace {

std::function<void(const std::string&)> gSink;

}  // namespace

void SetDiagnosticSink(std::function<void(const std::string&)> sink) { gSink = std::move(sink); }

void Diagnose(const std::string& text) {
    if (gSink) gSink(text);
}

}  // namespace platform
