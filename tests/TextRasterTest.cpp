#include <gtest/gtest.h>

#include <algorithm>

#include "platform/TextRaster.h"

using platform::PlaceText;
using platform::RasterizeText;

namespace {

// Columns and rows of a canvas that hold any ink.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

// Draws the text into a width x height canvas as a text field would and finds its ink.
Ink DrawAndMeasure(const d3d::FontDesc& font, const std::string& text, const d3d::Rect& rect, int width, int height) {
    std::vector<uint8_t> canvas(static_cast<size_t>(width) * height);
    const auto bitmap = RasterizeText(font, text, 0xFFFFFFFFu);
    const auto [x0, y0] = PlaceText(rect, d3d::DT_CENTER, bitmap.width, bitmap.height);
    Ink ink;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            if ((bitmap.argb[static_cast<size_t>(y) * bitmap.width + x] >> 24) > 128) {
                ink.left = std::min(ink.left, x0 + x);
                ink.right = std::max(ink.right, x0 + x);
                ink.top = std::min(ink.top, y0 + y);
                ink.bottom = std::max(ink.bottom, y0 + y);
            }
    return ink;
}

}  // namespace

TEST(TextRaster, PlacesTextCentredAcrossAndFromTheTop) {
    const d3d::Rect rect{500, 550, 800, 600};
    EXPECT_EQ(PlaceText(rect, d3d::DT_CENTER, 100, 20), std::make_pair(600, 550));
    EXPECT_EQ(PlaceText(rect, d3d::DT_LEFT, 100, 20), std::make_pair(500, 550));
    EXPECT_EQ(PlaceText(rect, d3d::DT_CENTER | d3d::DT_VCENTER, 100, 20), std::make_pair(600, 565));
    EXPECT_EQ(PlaceText(rect, d3d::DT_CENTER, 400, 20), std::make_pair(450, 550)) << "wider than the rectangle";
}

TEST(TextRaster, GlyphsTakeTheTextColourAndThePointSizeAtNinetySixDots) {
    const auto bitmap = RasterizeText({"Ariel", 18, true}, "Stars 0 / of 5", 0xFFFFC800u);
    ASSERT_GT(bitmap.width, 0);
    EXPECT_GE(bitmap.height, 24);  // 18 points are 24 pixels at 96 dots an inch
    EXPECT_LE(bitmap.height, 32);
    size_t inked = 0;
    for (uint32_t p : bitmap.argb) {
        EXPECT_EQ(p & 0x00FFFFFFu, 0x00FFC800u);
        inked += (p >> 24) > 0;
    }
    EXPECT_GT(inked, 100u);

    const auto regular = RasterizeText({"Ariel", 18, false}, "Stars 0 / of 5", 0xFFFFFFFFu);
    EXPECT_LT(regular.width, bitmap.width) << "bold is wider";
    EXPECT_EQ(RasterizeText({"Ariel", 18, true}, "", 0xFFFFFFFFu).width, 0);
}

TEST(TextRaster, AFieldsTextIsCentredInItsRectangle) {
    const d3d::Rect rect{112 + 140, 84 + 330, 112 + 660, 84 + 450};
    const Ink ink = DrawAndMeasure({"Ariel", 24, true}, "Time 1:05.32", rect, 1024, 768);
    ASSERT_GE(ink.right, ink.left);
    const int leftMargin = ink.left - rect.Left, rightMargin = rect.Right - ink.right;
    EXPECT_NEAR(leftMargin, rightMargin, 4);
    EXPECT_GE(ink.top, rect.Top);
    EXPECT_LE(ink.top, rect.Top + 10) << "top-aligned, not centred down";
}
