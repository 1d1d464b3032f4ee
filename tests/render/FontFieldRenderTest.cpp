// A text field drawn by the OpenGL device at 1024 x 768: its text centred across its
// rectangle (placed in the 800 x 600 design space plus the offsets) and starting at its top.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/DirectX.h"
#include "tests/render/RenderHarness.h"
#include "ui/clsFontField.h"

TEST(FontFieldRender, TextIsCentredAcrossAndTopAlignedWithTheGuiOffsets) {
    RenderHarness harness(1024, 768);
    d3d::Device* previous = gD3DDevice;
    gD3DDevice = &harness.Device();
    gGuiOffsetX = 112;
    gGuiOffsetY = 84;

    clsFontField field;
    field.Set_Field(330, 450, 140, 660);
    field.Set_FontName("Ariel");
    field.Set_FontSize(24);
    field.Set_Bold(true);
    field.Set_Colour(255, 255, 0);
    field.Set_Text("Time 1:05.32");

    harness.Device().Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    harness.Device().BeginScene();
    field.Render();
    harness.Device().EndScene();
    harness.Capture("font_field_centred");

    gGuiOffsetX = 0;
    gGuiOffsetY = 0;
    gD3DDevice = previous;

    int left = harness.Width(), right = -1, top = harness.Height(), bottom = -1;
    for (int y = 0; y < harness.Height(); ++y)
        for (int x = 0; x < harness.Width(); ++x)
            if (ColorNear(harness.Pixel(x, y), 0xFFFFFF00, 60)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, left) << "no text drawn";
    const d3d::Rect rect = field.Rectangle();  // 252, 414, 772, 534
    EXPECT_NEAR(left - rect.Left, rect.Right - right, 4) << "centred across";
    EXPECT_GE(top, rect.Top);
    EXPECT_LE(top, rect.Top + 12) << "starts at the top, not centred down";
    EXPECT_LT(bottom, rect.Top + 40);
}
