#include "editor/Controls.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace editor {
namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// "*.ext" patterns, matched without regard to case as the file system the tracks come from does.
bool MatchesPattern(const std::string& name, const std::string& pattern) {
    if (pattern == "*" || pattern == "*.*") return true;
    if (pattern.rfind("*", 0) != 0) return Lower(name) == Lower(pattern);
    const std::string tail = Lower(pattern.substr(1));
    const std::string lowered = Lower(name);
    return lowered.size() >= tail.size() && lowered.compare(lowered.size() - tail.size(), tail.size(), tail) == 0;
}

// Alphabetical without regard to case; names equal but for case keep a fixed order.
bool ListsBefore(const std::string& a, const std::string& b) {
    const std::string la = Lower(a), lb = Lower(b);
    return la != lb ? la < lb : a < b;
}

}  // namespace

void SpinControl::StepUp() {
    if (Value < Max) ++Value;
}

void SpinControl::StepDown() {
    if (Value > Min) --Value;
}

bool ScrollBar::Set(int32_t value) {
    if (value < Min || value > Max || value == Value) return false;
    Value = value;
    return true;
}

void FileListBox::Refresh() {
    Items.clear();
    ListIndex = -1;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(Path, error)) {
        if (!entry.is_regular_file(error)) continue;
        std::string name = entry.path().filename().string();
        if (MatchesPattern(name, Pattern)) Items.push_back(std::move(name));
    }
    std::sort(Items.begin(), Items.end(), ListsBefore);
}

std::string FileListBox::List(int16_t i) const {
    return i >= 0 && i < ListCount() ? Items[static_cast<size_t>(i)] : std::string();
}

}  // namespace editor
