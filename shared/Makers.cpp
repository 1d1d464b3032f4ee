#include "shared/Makers.h"

#include <bit>

#include "platform/D3DXMath.h"

namespace DirectX {

void MakeLitVertex(LitVertex& v, float x, float y, float z, int32_t diffuse, int32_t specular, float tu, float tv) {
    v = {x, y, z, diffuse, specular, tu, tv};
}

void MakeScreenVertex(ScreenVertex& v, float x, float y, float z, float rhw, int32_t diffuse, int32_t specular,
                      float tu, float tv) {
    v = {x, y, z, rhw, diffuse, specular, tu, tv};
}

void MakeVector(Vector3& v, float x, float y, float z) { v = {x, y, z}; }

void MakeColorValue(ColorValue& c, int16_t a, int16_t r, int16_t g, int16_t b) {
    c = {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), static_cast<float>(a)};
}

void MakeTranslationMatrix(Matrix& m, const Vector3& v) { m = d3dx::MatrixTranslation(v.X, v.Y, v.Z); }

int32_t FloatToLongBits(float value) { return std::bit_cast<int32_t>(value); }

}  // namespace DirectX

int32_t ColorARGB(int16_t a, int16_t r, int16_t g, int16_t b) {
    return static_cast<int32_t>((static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) |
                                (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b));
}
