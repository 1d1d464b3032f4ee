// A key script: which keys are held in each play step of one run through a level. Stored as
// text, one line per stretch of steps: the keys held (U up, D down, L left, R right, J jump,
// - none), then how many steps. Lines starting with # are comments.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace replay {

using Keys = std::string;  // letters of UDLRJ, in any order; empty for none

// The scan codes of the keys named.
std::vector<uint8_t> ScanCodes(const Keys& keys);

// One key set per step.
using KeyScript = std::vector<Keys>;

// Holds keys down on the system keyboard, as a player's hands would: only changes make key
// events (more than ten events between two reads would overflow the keyboard's buffer).
class KeyHands {
public:
    // Exactly these scan codes are down afterwards.
    void HoldOnly(const std::vector<uint8_t>& codes);

private:
    std::vector<uint8_t> held_;
};

std::string FormatScript(const KeyScript& script, const std::string& comment);
// Empty when the text is not a key script (a bad letter, a missing or zero count).
std::optional<KeyScript> ParseScript(const std::string& text);

}  // namespace replay
