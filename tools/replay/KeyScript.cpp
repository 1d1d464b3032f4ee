#include "tools/replay/KeyScript.h"

#include <algorithm>
#include <sstream>

#include "platform/Keyboard.h"

namespace replay {

namespace {

std::optional<uint8_t> ScanCode(char letter) {
    switch (letter) {
        case 'U': return dinput::DIK_UP;
        case 'D': return dinput::DIK_DOWN;
        case 'L': return dinput::DIK_LEFT;
        case 'R': return dinput::DIK_RIGHT;
        case 'J': return dinput::DIK_SPACE;
        default: return std::nullopt;
    }
}

}  // namespace

std::vector<uint8_t> ScanCodes(const Keys& keys) {
    std::vector<uint8_t> codes;
    for (char letter : keys)
        if (auto code = ScanCode(letter)) codes.push_back(*code);
    return codes;
}

std::string FormatScript(const KeyScript& script, const std::string& comment) {
    std::ostringstream out;
    out << "# " << comment << "\n";
    for (size_t i = 0; i < script.size();) {
        size_t run = 1;
        while (i + run < script.size() && script[i + run] == script[i]) ++run;
        out << (script[i].empty() ? "-" : script[i]) << " " << run << "\n";
        i += run;
    }
    return out.str();
}

std::optional<KeyScript> ParseScript(const std::string& text) {
    KeyScript script;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        Keys keys;
        long count = 0;
        if (!(words >> keys >> count) || count <= 0) return std::nullopt;
        if (keys == "-") keys.clear();
        for (char letter : keys)
            if (!ScanCode(letter)) return std::nullopt;
        script.insert(script.end(), static_cast<size_t>(count), keys);
    }
    return script;
}

void KeyHands::HoldOnly(const std::vector<uint8_t>& codes) {
    auto has = [](const std::vector<uint8_t>& set, uint8_t code) {
        return std::find(set.begin(), set.end(), code) != set.end();
    };
    for (uint8_t code : held_)
        if (!has(codes, code)) dinput::SystemKeyboard().SetKey(code, false);
    for (uint8_t code : codes)
        if (!has(held_, code)) dinput::SystemKeyboard().SetKey(code, true);
    held_ = codes;
}

}  // namespace replay
