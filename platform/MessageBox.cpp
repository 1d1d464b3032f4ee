#include "platform/MessageBox.h"

#include <cstdio>

namespace platform {
namespace {
std::function<void(const std::string&, const std::string&)> gHandler;
}

void MessageBox(const std::string& text, const std::string& title) {
    if (gHandler) return gHandler(text, title);
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

void SetMessageBoxHandler(std::function<void(const std::string&, const std::string&)> handler) {
    gHandler = std::move(handler);
}

}  // namespace platform
