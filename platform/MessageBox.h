// A modal message with an OK button; printed to stderr when no display exists.
#pragma once
#include <functional>
#include <string>

namespace platform {

void MessageBox(const std::string& text, const std::string& title);
// Tests catch messages instead of showing them; an empty function restores the real box.
void SetMessageBoxHandler(std::function<void(const std::string& text, const std::string& title)> handler);

}  // namespace platform
