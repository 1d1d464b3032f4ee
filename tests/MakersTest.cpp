#include <gtest/gtest.h>

#include <cstring>

#include "game/DirectX.h"
#include "platform/D3DXMath.h"

TEST(Makers, ColourValueTakesAlphaFirstButStoresItLast) {
    ColorValue c;
    DirectX::MakeColorValue(c, 255, 128, 64, 0);
    EXPECT_EQ(c.R, 128.0f);
    EXPECT_EQ(c.G, 64.0f);
    EXPECT_EQ(c.B, 0.0f);
    EXPECT_EQ(c.A, 255.0f);
}

TEST(Makers, PackedColoursAndFloatBits) {
    EXPECT_EQ(ColorARGB(255, 255, 255, 255), -1);
    EXPECT_EQ(static_cast<uint32_t>(ColorARGB(255, 0, 0, 0)), 0xFF000000u);
    EXPECT_EQ(static_cast<uint32_t>(ColorARGB(0, 0x12, 0x34, 0x56)), 0x00123456u);
    EXPECT_EQ(DirectX::FloatToLongBits(1.0f), 1065353216);
    EXPECT_EQ(DirectX::FloatToLongBits(0.03f), 1022739087);
}

TEST(Makers, TranslationAndVertices) {
    Matrix m;
    DirectX::MakeTranslationMatrix(m, Vector3{1, 2, 3});
    Matrix expected = d3dx::MatrixIdentity();
    expected.m41 = 1;
    expected.m42 = 2;
    expected.m43 = 3;
    EXPECT_EQ(std::memcmp(&m, &expected, sizeof m), 0);
    LitVertex v;
    DirectX::MakeLitVertex(v, 1, 2, 3, -1, 7, 0.5f, 0.25f);
    EXPECT_EQ(v.Z, 3.0f);
    EXPECT_EQ(v.Specular, 7);
    EXPECT_EQ(v.Tv, 0.25f);
}

TEST(CameraMaths, GameCameraProjectsTheLookAtPointToTheCentreAtDepthInZeroToOne) {
    const Vector3 eye{0, 25, -18}, at{0, 8, 0};
    const Matrix view = d3dx::MatrixLookAtLH(eye, at, Vector3{0, 1, 0});
    const Matrix proj = d3dx::MatrixPerspectiveFovLH(3.1415927f / 4, 1.0f, 0.1f, 500.0f);
    const Matrix viewProj = d3dx::MatrixMultiply(view, proj);
    const Vector3 centre = d3dx::Vec3TransformCoord(at, viewProj);
    EXPECT_NEAR(centre.X, 0.0f, 1e-5);
    EXPECT_NEAR(centre.Y, 0.0f, 1e-5);
    EXPECT_GT(centre.Z, 0.0f);
    EXPECT_LT(centre.Z, 1.0f);
    // Left-handed: +X is to the right on screen; points near the far plane approach depth 1.
    EXPECT_GT(d3dx::Vec3TransformCoord(Vector3{5, 8, 0}, viewProj).X, 0.0f);
    const Vector3 dir = d3dx::Vec3Normalize(d3dx::Vec3Subtract(at, eye));
    const Vector3 far = d3dx::Vec3Add(eye, d3dx::Vec3Scale(dir, 499.0f));
    EXPECT_NEAR(d3dx::Vec3TransformCoord(far, viewProj).Z, 1.0f, 1e-3);
}

TEST(CameraMaths, AnInverseUndoesItsMatrixAndASingularMatrixHasNone) {
    const Matrix view = d3dx::MatrixLookAtLH(Vector3{3, 25, -18}, Vector3{1, 8, 4}, Vector3{0, 1, 0});
    const Matrix proj = d3dx::MatrixPerspectiveFovLH(0.7f, 1.3f, 1.0f, 500.0f);
    for (const Matrix& m : {view, d3dx::MatrixMultiply(view, proj), d3dx::MatrixScaling(2, -4, 0.5f)}) {
        const std::optional<Matrix> inverse = d3dx::MatrixInverse(m);
        ASSERT_TRUE(inverse.has_value());
        const Matrix product = d3dx::MatrixMultiply(m, *inverse);
        const float* p = &product.m11;
        for (int i = 0; i < 16; ++i) EXPECT_NEAR(p[i], i % 5 == 0 ? 1.0f : 0.0f, 2e-4f) << i;
    }
    Matrix flat = d3dx::MatrixIdentity();
    flat.m33 = 0;
    EXPECT_FALSE(d3dx::MatrixInverse(flat).has_value());
    EXPECT_FALSE(d3dx::MatrixInverse(Matrix{}).has_value());
}
