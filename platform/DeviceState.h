// The persistent state of a device (render states, texture-stage states, transforms), starting
// from the values the original device API documents as its defaults.
#pragma once
#include <array>
#include <bit>
#include <cstdint>

#include "platform/D3DTypes.h"

namespace d3d {

constexpr uint32_t kStageCount = 8;

// Render states the programs never name but whose defaults the drawing relies on.
enum : uint32_t { RS_SHADEMODE = 9, RS_FOGENABLE = 28, RS_SPECULARENABLE = 29, RS_COLORVERTEX = 141 };

inline uint32_t FloatBits(float f) { return std::bit_cast<uint32_t>(f); }
inline float BitsFloat(uint32_t bits) { return std::bit_cast<float>(bits); }

struct DeviceState {
    std::array<uint32_t, RS_COUNT> Render{};
    std::array<std::array<uint32_t, TSS_COUNT>, kStageCount> Stage{};
    Matrix World, View, Projection;

    // depthBuffer: whether the device was made with a depth buffer (it switches depth testing on).
    explicit DeviceState(bool depthBuffer = true);

    const Matrix& Transform(TransformType type) const;
    Matrix& Transform(TransformType type);
};

}  // namespace d3d
