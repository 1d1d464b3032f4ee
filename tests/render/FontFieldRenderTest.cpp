// A text field drawn by the OpenGL device at 1024 x 768: its text centred across its
// rectangle (placed in the 800 x 600 design space plus the offsets) and starting at its top,
// and cut to the rectangle when it is too long for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "game/DirectX.h"
#include "tests/render/RenderHarness.h"
#include "ui/clsFontField.h"

namespace {

struct FieldLook {
    int32_t top, bottom, left, right, size;
    bool bold;
    int16_t red, green, blue;
    std::string text;
};

// Draws one field, placed at 1024 x 768 (offsets 112 and 84), on black; saves the picture
// and returns the field's rectangle.
d3d::Rect DrawField(RenderHarness& harness, const FieldLook& look, const std::string& picture) {
    d3d::Device* previous = gD3DDevice;
    gD3DDevice = &harness.Device();
    gGuiOffsetX = 112;
    gGuiOffsetY = 84;
    clsFontField field;
    field.Set_Field(look.top, look.bottom, look.left, look.right);
    field.Set_FontName("Ariel");
    field.Set_FontSize(look.size);
    field.Set_Bold(look.bold);
    field.Set_Colour(look.red, look.green, look.blue);
    field.Set_Text(look.text);
    harness.Device().Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0xFF000000, 1.0f);
    harness.Device().BeginScene();
    field.Render();
    harness.Device().EndScene();
    harness.Capture(picture);
    gGuiOffsetX = 0;
    gGuiOffsetY = 0;
    gD3DDevice = previous;
    return field.Rectangle();
}

}  // namespace

TEST(FontFieldRender, TextIsCentredAcrossAndTopAlignedWithTheGuiOffsets) {
    RenderHarness harness(1024, 768);
    const d3d::Rect rect =
        DrawField(harness, {330, 450, 140, 660, 24, true, 255, 255, 0, "Time 1:05.32"}, "font_field_centred");

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
    EXPECT_EQ(rect.Left, 252);
    EXPECT_EQ(rect.Top, 414);
    EXPECT_NEAR(left - rect.Left, rect.Right - right, 4) << "centred across";
    EXPECT_GE(top, rect.Top);
    EXPECT_LE(top, rect.Top + 12) << "starts at the top, not centred down";
    EXPECT_LT(bottom, rect.Top + 40);
}

// The longest names a record holder can type, in wide capitals, on the fields that show them:
// the level-select table (163 pixels, 13 points, bold) and the name entry (520 pixels, 30
// points). The text overruns both sides of the field and is cut there: no pixel outside the
// rectangle is lit, and the text reaches both of its edges.
TEST(FontFieldRender, TextTooLongForItsFieldIsCutToTheRectangle) {
    const std::vector<std::pair<std::string, FieldLook>> cases = {
        {"level_select_name", {200, 400, 40, 203, 13, true, 255, 255, 255, "WWWWWWWWWWWWWWW"}},
        {"name_entry_name", {330, 450, 140, 660, 30, false, 255, 255, 255, "WWWWWWWWWWWWWWW"}},
    };
    for (const auto& [name, look] : cases) {
        RenderHarness harness(1024, 768);
        const d3d::Rect rect = DrawField(harness, look, "font_field_cut_" + name);
        int outside = 0, atLeftEdge = 0, atRightEdge = 0;
        for (int y = 0; y < harness.Height(); ++y)
            for (int x = 0; x < harness.Width(); ++x) {
                if (ColorNear(harness.Pixel(x, y), 0xFF000000, 0)) continue;
                const bool inside = x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
                if (!inside) ++outside;
                if (inside && x == rect.Left) ++atLeftEdge;
                if (inside && x == rect.Right - 1) ++atRightEdge;
            }
        EXPECT_EQ(outside, 0) << name;
        EXPECT_GT(atLeftEdge, 0) << name << ": the text overruns the field";
        EXPECT_GT(atRightEdge, 0) << name;
    }
}
