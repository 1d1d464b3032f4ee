// The OpenGL device leaves out batched draws that lie wholly outside the view: only those
// whose every vertex lies beyond one and the same side, never one that may show a pixel.
#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <vector>

#include "platform/D3DXMath.h"
#include "platform/gl/GlOutsideView.h"

namespace {

using d3d::Vector3;

class OutsideView : public ::testing::Test {
protected:
    void SetUp() override {
        // The editor's camera: from (0, 25, -18) towards (0, 8, 0), 45 degrees, 1 to 500.
        test.SetCamera(d3dx::MatrixLookAtLH({0, 25, -18}, {0, 8, 0}, {0, 1, 0}),
                       d3dx::MatrixPerspectiveFovLH(0.785398163f, 1.0f, 1.0f, 500.0f), 1);
    }
    // A triangle list of the points, moved by world.
    bool Outside(const std::vector<Vector3>& points, const d3d::Matrix& world = d3dx::MatrixIdentity()) const {
        std::vector<d3d::LitVertex> vertices;
        for (const Vector3& p : points) vertices.push_back({p.X, p.Y, p.Z, 0, 0, 0, 0});
        return test.Outside(reinterpret_cast<const std::byte*>(vertices.data()), d3d::FVF_LITVERTEX,
                            sizeof(d3d::LitVertex), static_cast<uint32_t>(vertices.size()), world);
    }
    d3d::GlOutsideView test;
};

TEST_F(OutsideView, LeavesOutOnlyWhatLiesBeyondOneSide) {
    EXPECT_FALSE(Outside({{0, 0, 10}, {1, 0, 10}, {0, 0, 11}}));        // ahead
    EXPECT_TRUE(Outside({{200, 0, 10}, {201, 0, 10}, {200, 0, 11}}));   // far to the right
    EXPECT_TRUE(Outside({{-200, 0, 10}, {-201, 0, 10}, {-200, 0, 11}}));
    EXPECT_TRUE(Outside({{0, 0, 900}, {1, 0, 900}, {0, 0, 901}}));      // beyond the far plane
    EXPECT_TRUE(Outside({{0, 30, -40}, {1, 30, -40}, {0, 31, -40}}));   // behind the camera
    // Beyond the right side and beyond the left side, but not one side: it crosses the view.
    EXPECT_FALSE(Outside({{-200, 0, 10}, {200, 0, 10}, {0, 0, 11}}));
    // Behind the camera and ahead of it: it reaches into the view.
    EXPECT_FALSE(Outside({{0, 30, -40}, {0, 0, 10}, {1, 0, 10}}));
    // Moved there by the world matrix, the same.
    EXPECT_TRUE(Outside({{0, 0, 10}, {1, 0, 10}, {0, 0, 11}}, d3dx::MatrixTranslation(200, 0, 0)));
}

TEST_F(OutsideView, KeepsWhatTouchesTheEdgeAndWhatCannotBeJudged) {
    // A point on the ground at depth 10 along the view's right edge: triangles reaching it,
    // or lying a hair beyond it, are kept.
    const d3d::Matrix viewProjection =
        d3dx::MatrixMultiply(d3dx::MatrixLookAtLH({0, 25, -18}, {0, 8, 0}, {0, 1, 0}),
                             d3dx::MatrixPerspectiveFovLH(0.785398163f, 1.0f, 1.0f, 500.0f));
    float lo = 0, hi = 100;  // x of the right edge there, where clip x = w
    while (hi - lo > 1e-4f) {
        const float x = (lo + hi) / 2;
        const float cx = x * viewProjection.m11 + 10 * viewProjection.m31 + viewProjection.m41;
        const float cw = x * viewProjection.m14 + 10 * viewProjection.m34 + viewProjection.m44;
        (cx > cw ? hi : lo) = x;
    }
    const float edge = lo;
    EXPECT_FALSE(Outside({{edge, 0, 10}, {edge + 5, 0, 10}, {edge + 5, 0, 11}}));
    EXPECT_FALSE(Outside({{edge + 1e-4f, 0, 10}, {edge + 5, 0, 10}, {edge + 5, 0, 11}}));
    EXPECT_TRUE(Outside({{edge + 0.5f, 0, 10}, {edge + 5, 0, 10}, {edge + 5, 0, 11}}));

    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(Outside({{nan, 0, 900}, {1, 0, 900}, {0, 0, 901}}));
    EXPECT_FALSE(Outside({}));
}

}  // namespace
