// The makers of vertices, vectors, colours and matrices that every drawing class of both
// programs uses.
#pragma once
#include <cstdint>

#include "platform/D3DTypes.h"

using d3d::ColorValue;
using d3d::LitVertex;
using d3d::Matrix;
using d3d::Plane;
using d3d::PointVertex;
using d3d::ScreenVertex;
using d3d::Vector3;
using d3d::Vector4;

namespace DirectX {

void MakeLitVertex(LitVertex& v, float x, float y, float z, int32_t diffuse, int32_t specular, float tu, float tv);
void MakeScreenVertex(ScreenVertex& v, float x, float y, float z, float rhw, int32_t diffuse, int32_t specular,
                      float tu, float tv);
void MakeVector(Vector3& v, float x, float y, float z);
void MakeColorValue(ColorValue& c, int16_t a, int16_t r, int16_t g, int16_t b);
void MakeTranslationMatrix(Matrix& m, const Vector3& v);
// The same 32 bits read as a whole number, for render states that take a Single.
int32_t FloatToLongBits(float value);

}  // namespace DirectX

// Packed 0xAARRGGBB colour from components 0..255.
int32_t ColorARGB(int16_t a, int16_t r, int16_t g, int16_t b);
