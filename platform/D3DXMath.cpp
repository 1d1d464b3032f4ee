#include "platform/D3DXMath.h"

#include <cmath>

namespace d3dx {

Matrix MatrixIdentity() {
    Matrix m;
    m.m11 = m.m22 = m.m33 = m.m44 = 1.0f;
    return m;
}

Matrix MatrixMultiply(const Matrix& a, const Matrix& b) {
    const float* A = &a.m11;
    const float* B = &b.m11;
    Matrix r;
    float* R = &r.m11;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            R[i * 4 + j] = A[i * 4 + 0] * B[0 * 4 + j] + A[i * 4 + 1] * B[1 * 4 + j] + A[i * 4 + 2] * B[2 * 4 + j] +
                           A[i * 4 + 3] * B[3 * 4 + j];
    return r;
}

Matrix MatrixScaling(float sx, float sy, float sz) {
    Matrix m;
    m.m11 = sx;
    m.m22 = sy;
    m.m33 = sz;
    m.m44 = 1.0f;
    return m;
}

Matrix MatrixTranslation(float x, float y, float z) {
    Matrix m = MatrixIdentity();
    m.m41 = x;
    m.m42 = y;
    m.m43 = z;
    return m;
}

Matrix MatrixRotationY(float radians) {
    Matrix m = MatrixIdentity();
    const float c = std::cos(radians), s = std::sin(radians);
    m.m11 = c;
    m.m13 = -s;
    m.m31 = s;
    m.m33 = c;
    return m;
}

Matrix MatrixLookAtLH(const Vector3& eye, const Vector3& at, const Vector3& up) {
    const Vector3 zaxis = Vec3Normalize(Vec3Subtract(at, eye));
    const Vector3 xaxis = Vec3Normalize(Vec3Cross(up, zaxis));
    const Vector3 yaxis = Vec3Cross(zaxis, xaxis);
    Matrix m;
    m.m11 = xaxis.X; m.m12 = yaxis.X; m.m13 = zaxis.X;
    m.m21 = xaxis.Y; m.m22 = yaxis.Y; m.m23 = zaxis.Y;
    m.m31 = xaxis.Z; m.m32 = yaxis.Z; m.m33 = zaxis.Z;
    m.m41 = -Vec3Dot(xaxis, eye);
    m.m42 = -Vec3Dot(yaxis, eye);
    m.m43 = -Vec3Dot(zaxis, eye);
    m.m44 = 1.0f;
    return m;
}

Matrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    const float xScale = yScale / aspect;
    Matrix m;
    m.m11 = xScale;
    m.m22 = yScale;
    m.m33 = zFar / (zFar - zNear);
    m.m34 = 1.0f;
    m.m43 = -zNear * zFar / (zFar - zNear);
    return m;
}

std::optional<Matrix> MatrixInverse(const Matrix& m) {
    // Cofactors of the 2 x 2 minors, in double so that a view matrix comes back to the last bit.
    const float* f = &m.m11;
    double a[16];
    for (int i = 0; i < 16; ++i) a[i] = f[i];
    const double s0 = a[0] * a[5] - a[4] * a[1], s1 = a[0] * a[6] - a[4] * a[2], s2 = a[0] * a[7] - a[4] * a[3];
    const double s3 = a[1] * a[6] - a[5] * a[2], s4 = a[1] * a[7] - a[5] * a[3], s5 = a[2] * a[7] - a[6] * a[3];
    const double c5 = a[10] * a[15] - a[14] * a[11], c4 = a[9] * a[15] - a[13] * a[11];
    const double c3 = a[9] * a[14] - a[13] * a[10], c2 = a[8] * a[15] - a[12] * a[11];
    const double c1 = a[8] * a[14] - a[12] * a[10], c0 = a[8] * a[13] - a[12] * a[9];
    const double det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (det == 0.0 || !std::isfinite(det)) return std::nullopt;
    const double k = 1.0 / det;
    const double r[16] = {
        (a[5] * c5 - a[6] * c4 + a[7] * c3) * k,   (-a[1] * c5 + a[2] * c4 - a[3] * c3) * k,
        (a[13] * s5 - a[14] * s4 + a[15] * s3) * k, (-a[9] * s5 + a[10] * s4 - a[11] * s3) * k,
        (-a[4] * c5 + a[6] * c2 - a[7] * c1) * k,  (a[0] * c5 - a[2] * c2 + a[3] * c1) * k,
        (-a[12] * s5 + a[14] * s2 - a[15] * s1) * k, (a[8] * s5 - a[10] * s2 + a[11] * s1) * k,
        (a[4] * c4 - a[5] * c2 + a[7] * c0) * k,   (-a[0] * c4 + a[1] * c2 - a[3] * c0) * k,
        (a[12] * s4 - a[13] * s2 + a[15] * s0) * k, (-a[8] * s4 + a[9] * s2 - a[11] * s0) * k,
        (-a[4] * c3 + a[5] * c1 - a[6] * c0) * k,  (a[0] * c3 - a[1] * c1 + a[2] * c0) * k,
        (-a[12] * s3 + a[13] * s1 - a[14] * s0) * k, (a[8] * s3 - a[9] * s1 + a[10] * s0) * k};
    Matrix inverse;
    float* out = &inverse.m11;
    for (int i = 0; i < 16; ++i) out[i] = static_cast<float>(r[i]);
    return inverse;
}

Vector3 Vec3Add(const Vector3& a, const Vector3& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
Vector3 Vec3Subtract(const Vector3& a, const Vector3& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
Vector3 Vec3Scale(const Vector3& v, float s) { return {v.X * s, v.Y * s, v.Z * s}; }
float Vec3Dot(const Vector3& a, const Vector3& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
Vector3 Vec3Cross(const Vector3& a, const Vector3& b) {
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
float Vec3Length(const Vector3& v) { return std::sqrt(Vec3Dot(v, v)); }
Vector3 Vec3Normalize(const Vector3& v) {
    const float len = Vec3Length(v);
    if (len == 0.0f) return {};
    return {v.X / len, v.Y / len, v.Z / len};
}

Vector3 Vec3TransformCoord(const Vector3& v, const Matrix& m) {
    const float x = v.X * m.m11 + v.Y * m.m21 + v.Z * m.m31 + m.m41;
    const float y = v.X * m.m12 + v.Y * m.m22 + v.Z * m.m32 + m.m42;
    const float z = v.X * m.m13 + v.Y * m.m23 + v.Z * m.m33 + m.m43;
    const float w = v.X * m.m14 + v.Y * m.m24 + v.Z * m.m34 + m.m44;
    if (w == 0.0f) return {x, y, z};
    return {x / w, y / w, z / w};
}

float Vec4Dot(const Vector4& a, const Vector4& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z + a.W * b.W; }
float PlaneDot(const Plane& p, const Vector4& v) { return p.A * v.X + p.B * v.Y + p.C * v.Z + p.D * v.W; }

ColorValue ColorLerp(const ColorValue& a, const ColorValue& b, float s) {
    return {a.R + s * (b.R - a.R), a.G + s * (b.G - a.G), a.B + s * (b.B - a.B), a.A + s * (b.A - a.A)};
}

}  // namespace d3dx
