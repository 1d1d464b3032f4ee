#include <gtest/gtest.h>

#include "platform/formats/FontFiles.h"
#include "platform/gl/Letterbox.h"

using platform::Letterbox;
using platform::PixelRect;

TEST(Letterbox, KeepsTheAspectWithBarsOnTheLongerSide) {
    const PixelRect wide = Letterbox(1920, 1080, 800, 600);
    EXPECT_EQ(wide.Width, 1440);
    EXPECT_EQ(wide.Height, 1080);
    EXPECT_EQ(wide.X, 240);
    EXPECT_EQ(wide.Y, 0);
    const PixelRect tall = Letterbox(1024, 1280, 1024, 768);
    EXPECT_EQ(tall.Width, 1024);
    EXPECT_EQ(tall.Height, 768);
    EXPECT_EQ(tall.Y, 256);
    const PixelRect exact = Letterbox(1024, 768, 800, 600);
    EXPECT_EQ(exact.X, 0);
    EXPECT_EQ(exact.Width, 1024);
}

TEST(Letterbox, PointerPositionsMapBackIntoThePicture) {
    const PixelRect box = Letterbox(1920, 1080, 800, 600);
    float x = 0, y = 0;
    platform::WindowToPicture(box, 800, 600, 240, 0, x, y);
    EXPECT_FLOAT_EQ(x, 0);
    EXPECT_FLOAT_EQ(y, 0);
    platform::WindowToPicture(box, 800, 600, 960, 540, x, y);
    EXPECT_FLOAT_EQ(x, 400);
    EXPECT_FLOAT_EQ(y, 300);
    platform::WindowToPicture(box, 800, 600, 100, 1079, x, y);  // in the bar: left of the picture
    EXPECT_LT(x, 0);
}

TEST(Letterbox, NoPictureSizeYetMeansTheWholeWindow) {
    const PixelRect box = Letterbox(640, 480, 0, 0);
    EXPECT_EQ(box.Width, 640);
    float x = 0, y = 0;
    platform::WindowToPicture(box, 0, 0, 12, 34, x, y);
    EXPECT_FLOAT_EQ(x, 12);
    EXPECT_FLOAT_EQ(y, 34);
}

TEST(FontFiles, FacesMapToLiberationAndPointsToPixelsAt96Dpi) {
    EXPECT_EQ(d3d::PixelsForPoints(18), 24);
    EXPECT_EQ(d3d::PixelsForPoints(12), 16);
    EXPECT_EQ(d3d::PixelsForPoints(10), 13);  // 13.33
    const std::string ariel = d3d::FontFileFor("Ariel", true);
    EXPECT_NE(ariel.find("LiberationSans-Bold.ttf"), std::string::npos) << ariel;
    EXPECT_NE(d3d::FontFileFor("Arial", false).find("LiberationSans-Regular.ttf"), std::string::npos);
    EXPECT_NE(d3d::FontFileFor("Some Unknown Face", false).find("LiberationSans-Regular"), std::string::npos);
    EXPECT_NE(d3d::FontFileFor("Times New Roman", false).find("LiberationSerif-Regular"), std::string::npos);
    EXPECT_NE(d3d::FontFileFor("Courier New", true).find("LiberationMono-Bold"), std::string::npos);
}
