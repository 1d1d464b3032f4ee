// A modal message with an OK button; printed to stderr when no display exists.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Waits for OK. The text is wrapped to lines that fit across the screen, and lines that do not
// fit below each other on it are left out. A text that could not be shown whole goes to the
// program's log, each of its lines a line of the log (while it has none, to stderr), and one
// that could not be shown at all to stderr too.
void MessageBox(const std::string& text, const std::string& title);
// Tests catch messages instead of showing them; an empty function restores the real box.
void SetMessageBoxHandler(std::function<void(const std::string& text, const std::string& title)> handler);

// text with its lines broken at spaces into lines of at most columns characters; a word longer
// than a line (a long path) is broken after a '/' where it can be, else cut.
std::string WrapText(const std::string& text, size_t columns);
// The same for lines whose width is measured by width (pixels of a font, say) against limit.
using TextWidth = std::function<size_t(std::string_view)>;
std::string WrapText(const std::string& text, size_t limit, const TextWidth& width);

// The first lines of text, at most maxLines of them (never fewer than two); where lines are
// left out, the last of these is an ellipsis in their place.
std::string FirstLines(const std::string& text, size_t maxLines);

}  // namespace platform
