// The bytes of 32-bit values as the data files store them: little-endian, back to back.
#pragma once
#include <cstdint>
#include <vector>

inline std::vector<uint8_t> Longs(const std::vector<int32_t>& values) {
    std::vector<uint8_t> out;
    for (int32_t v : values)
        for (int k = 0; k < 4; ++k) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * k)));
    return out;
}
