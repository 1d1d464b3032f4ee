// Vector, matrix and colour operations with the conventions of the game's original maths
// library: left-handed, row vectors (v' = v x M), a product A x B applies A first.
#pragma once
#include <optional>

#include "platform/D3DTypes.h"

namespace d3dx {

using d3d::ColorValue;
using d3d::Matrix;
using d3d::Plane;
using d3d::Vector3;
using d3d::Vector4;

Matrix MatrixIdentity();
Matrix MatrixMultiply(const Matrix& a, const Matrix& b);
Matrix MatrixScaling(float sx, float sy, float sz);
Matrix MatrixTranslation(float x, float y, float z);
Matrix MatrixRotationY(float radians);
Matrix MatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up);
// Projection to a 0..1 depth range.
Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
// The inverse of m; none when m has no inverse (its determinant is 0 or not a number).
std::optional<Matrix> MatrixInverse(const Matrix& m);

Vector3 Vec3Add(const Vector3& a, const Vector3& b);
Vector3 Vec3Subtract(const Vector3& a, const Vector3& b);
Vector3 Vec3Scale(const Vector3& v, float s);
float Vec3Dot(const Vector3& a, const Vector3& b);
Vector3 Vec3Cross(const Vector3& a, const Vector3& b);
float Vec3Length(const Vector3& v);
// A zero vector stays zero.
Vector3 Vec3Normalize(const Vector3& v);
// The point transformed by m, divided by its w.
Vector3 Vec3TransformCoord(const Vector3& v, const Matrix& m);

float Vec4Dot(const Vector4& a, const Vector4& b);
// plane . (x, y, z, w) as a 4-component dot product.
float PlaneDot(const Plane& p, const Vector4& v);

// out = a + s (b - a), per component.
ColorValue ColorLerp(const ColorValue& a, const ColorValue& b, float s);

}  // namespace d3dx
