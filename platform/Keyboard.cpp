#include "platform/Keyboard.h"

#include <algorithm>

namespace dinput {

bool Keyboard::Acquire() {
    acquired_ = available_;
    return acquired_;
}

DeviceInstance Keyboard::Instance() const {
    // A standard enhanced keyboard (type 0x13, subtype 4) with the system keyboard's identifier.
    return {"Keyboard", 0x413, "{6F1D2B61-D5A0-11CF-BFC7-444553540000}"};
}

Result Keyboard::GetDeviceState(KeyState& out) const {
    if (!acquired_) return DIERR_NOTACQUIRED;
    out = state_;
    return DI_OK;
}

Result Keyboard::GetDeviceData(std::span<DeviceObjectData> out, int& count) {
    count = 0;
    if (!acquired_) return DIERR_NOTACQUIRED;
    const size_t n = std::min(out.size(), buffer_.size());
    std::copy_n(buffer_.begin(), n, out.begin());
    count = static_cast<int>(n);
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(n));
    const bool overflowed = overflowed_;
    if (overflowed) buffer_.clear();
    overflowed_ = false;
    return overflowed ? DIERR_BUFFEROVERFLOW : DI_OK;
}

void Keyboard::SetKey(uint8_t code, bool down, uint32_t timeStamp) {
    const uint8_t value = down ? KEY_DOWN : 0;
    if (code == 0 || state_[code] == value) return;
    state_[code] = value;
    ++changes_;
    if (buffer_.size() == kBufferSize) {
        overflowed_ = true;  // the device keeps the oldest events and drops the rest
        return;
    }
    buffer_.push_back({code, value, timeStamp, sequence_++});
}

void Keyboard::ReleaseAll() { state_.fill(0); }

Keyboard& SystemKeyboard() {
    static Keyboard keyboard;
    return keyboard;
}

}  // namespace dinput
