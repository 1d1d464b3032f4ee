#include <gtest/gtest.h>

#include "platform/formats/TextureImage.h"
#include "tests/support/play/DrawingTestBed.h"

namespace {

struct Picture {
    const char* file;
    int size;
};

class MiscPictures : public ::testing::TestWithParam<Picture> {};

TEST_P(MiscPictures, AreKeyedOutsideAndOpaqueWithoutMagentaInside) {
    d3d::TextureLoadOptions keyed;
    keyed.ColorKey = 0xFFFF00FF;
    keyed.Format = d3d::TextureFormat::A1R5G5B5;
    const auto image = d3d::LoadTextureImage(GeneratedAssetsFolder() + "/misc/" + GetParam().file, keyed);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->Width, GetParam().size);
    ASSERT_EQ(image->Height, GetParam().size);
    const int last = GetParam().size - 1, middle = GetParam().size / 2;
    EXPECT_EQ(image->ArgbAt(0, 0) >> 24, 0u);
    EXPECT_EQ(image->ArgbAt(last, last) >> 24, 0u);
    EXPECT_EQ(image->ArgbAt(middle, middle) >> 24, 0xFFu);
    for (int y = 0; y <= last; ++y)
        for (int x = 0; x <= last; ++x) {
            const uint32_t argb = image->ArgbAt(x, y);
            const uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
            const bool visible = (argb >> 24) != 0;
            EXPECT_FALSE(visible && r > 200 && g < 60 && b > 200) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Generated, MiscPictures,
                         ::testing::Values(Picture{"starParticle.bmp", 32}, Picture{"shadowimage.bmp", 64}));

}  // namespace
