#include "platform/MessageBox.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string_view>

#include "platform/Diagnostics.h"
#include "platform/EndSignals.h"
#include "platform/sdl/MessageBoxWindow.h"

namespace platform {
namespace {

std::function<void(const std::string&, const std::string&)> gHandler;

// A box can be shown only where a display exists; the offscreen and dummy drivers have none.
bool HasDisplay() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::string_view(driver) == "offscreen" || std::string_view(driver) == "dummy")) return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

// Where a word too long for a line is broken: after its last '/' within the longest start of
// it that fits (at least one character, never inside a UTF-8 sequence), else there.
size_t BreakPoint(std::string_view word, size_t limit, const TextWidth& width) {
    size_t fits = 1;
    while (fits < word.size() && width(word.substr(0, fits + 1)) <= limit) ++fits;
    while (fits > 1 && fits < word.size() && (static_cast<unsigned char>(word[fits]) & 0xC0) == 0x80) --fits;
    const size_t slash = word.substr(0, fits).find_last_of('/');
    return slash != std::string_view::npos && slash > 0 ? slash + 1 : fits;
}

void WrapLine(std::string_view line, size_t limit, const TextWidth& width, std::string& out) {
    std::string current;
    size_t at = 0;
    while (at < line.size()) {
        const size_t space = line.find(' ', at);
        std::string_view word = line.substr(at, space == std::string_view::npos ? std::string_view::npos : space - at);
        at = space == std::string_view::npos ? line.size() : space + 1;
        if (!current.empty() && width(current + ' ' + std::string(word)) > limit) {
            out += current + '\n';
            current.clear();
        }
        while (current.empty() && width(word) > limit) {
            const size_t cut = BreakPoint(word, limit, width);
            out += std::string(word.substr(0, cut)) + '\n';
            word.remove_prefix(cut);
        }
        if (!current.empty()) current += ' ';
        current += word;
    }
    out += current;
}

}  // namespace

std::string WrapText(const std::string& text, size_t limit, const TextWidth& width) {
    limit = std::max<size_t>(limit, 1);
    std::string out;
    std::istringstream lines(text);
    std::string line;
    bool first = true;
    while (std::getline(lines, line)) {
        if (!first) out += '\n';
        first = false;
        WrapLine(line, limit, width, out);
    }
    return out;
}

std::string FirstLines(const std::string& text, size_t maxLines) {
    maxLines = std::max<size_t>(maxLines, 2);
    size_t end = 0;
    for (size_t line = 0; line + 1 < maxLines && end != std::string::npos; ++line) {
        end = text.find('\n', end);
        if (end != std::string::npos) ++end;
    }
    if (end == std::string::npos || text.find('\n', end) == std::string::npos) return text;
    return text.substr(0, end) + "\u2026";
}

std::string WrapText(const std::string& text, size_t columns) {
    return WrapText(text, columns, [](std::string_view s) { return s.size(); });
}

void MessageBox(const std::string& text, const std::string& title) {
    if (gHandler) {
        gHandler(text, title);
        return;
    }
    // A program asked to end shows no box that would wait for an answer.
    bool cut = false;
    const bool shown = !EndRequested() && HasDisplay() && ShowMessageBoxWindow(text, title, cut);
    if (shown && !cut) return;
    // The log keeps what the box could not show, each line of the text a line of the log, the
    // empty one between paragraphs too; stderr has it where either the box or the log is missing.
    bool logged = true;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) logged = Diagnose(line) && logged;
    if (!shown || !logged) std::cerr << title << ": " << text << std::endl;
}

void SetMessageBoxHandler(std::function<void(const std::string& text, const std::string& title)> handler) {
    gHandler = std::move(handler);
}

}  // namespace platform
