#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/Diagnostics.h"
#include "platform/formats/PicturePrefetch.h"
#include "platform/formats/TextureImage.h"
#include "support/ScratchFolder.h"
#include "tools/assetkit/Image.h"

using namespace d3d;

namespace {

std::string WriteKeyedPicture(const ScratchFolder& folder) {
    assetkit::Image image(3, 2, {255, 0, 255});
    image.Set(1, 0, {10, 200, 30});
    image.Set(2, 1, {255, 1, 255});  // one off the key: stays
    const std::string path = folder.File("keyed.bmp");
    assetkit::WriteBmp(image, path);
    return path;
}

}  // namespace

TEST(TextureImage, ExactColourKeyBecomesTransparentBlack) {
    ScratchFolder folder;
    TextureLoadOptions options;
    options.ColorKey = 0xFFFF00FF;
    auto image = LoadTextureImage(WriteKeyedPicture(folder), options);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width, 3);
    EXPECT_EQ(image->ArgbAt(0, 0), 0x00000000u);
    EXPECT_EQ(image->ArgbAt(1, 0), 0xFF0AC81Eu);
    EXPECT_EQ(image->ArgbAt(2, 1), 0xFFFF01FFu);
}

TEST(TextureImage, WithoutKeyEveryPixelIsOpaque) {
    ScratchFolder folder;
    auto image = LoadTextureImage(WriteKeyedPicture(folder), {});
    ASSERT_TRUE(image);
    EXPECT_EQ(image->ArgbAt(0, 0), 0xFFFF00FFu);
}

TEST(TextureImage, A1R5G5B5KeepsFiveBitsOfColourAndOneOfAlpha) {
    ScratchFolder folder;
    TextureLoadOptions options;
    options.ColorKey = 0xFFFF00FF;
    options.Format = TextureFormat::A1R5G5B5;
    auto image = LoadTextureImage(WriteKeyedPicture(folder), options);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->ArgbAt(0, 0), 0x00000000u);
    EXPECT_EQ(image->ArgbAt(1, 0), 0xFF08CE18u);  // 10, 200, 30 cut to 5 bits and widened again
}

TEST(TextureImage, JpegLoadsAndMissingOrBrokenFilesDoNot) {
    ScratchFolder folder;
    assetkit::WriteJpeg(assetkit::Image(16, 8, {200, 100, 50}), folder.File("p.jpg"));
    auto image = LoadTextureImage(folder.File("p.jpg"), {});
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Height, 8);
    EXPECT_NEAR(static_cast<int>(image->Rgba[0]), 200, 4);

    EXPECT_FALSE(LoadTextureImage(folder.File("nothing.bmp"), {}));
    folder.Write("broken.bmp", {'B', 'M', 1, 2, 3});
    EXPECT_FALSE(LoadTextureImage(folder.File("broken.bmp"), {}));
    int w = 0, h = 0;
    EXPECT_TRUE(PictureFileUsable(folder.File("p.jpg"), w, h));
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 8);
    EXPECT_FALSE(PictureFileUsable(folder.File("broken.bmp"), w, h));
    EXPECT_FALSE(LoadTextureImage(folder.Path(), {}));  // a folder opens but holds no bytes
    EXPECT_FALSE(PictureFileUsable(folder.Path(), w, h));
}

// Pictures decoded ahead are what the loader would have made of the files as it asks for them:
// with its own options, each asked-for copy once, and a damaged file refused and told once,
// by the loader, as without a prefetch; a missing one tells nothing.
TEST(PicturePrefetch, GivesTheLoaderWhatItWouldHaveDecodedItself) {
    ScratchFolder folder;
    const std::string keyed = WriteKeyedPicture(folder), broken = folder.File("broken.bmp");
    std::ofstream(broken) << "BM not a picture";
    std::vector<std::string> told;
    platform::SetDiagnosticSink([&](const std::string& line) { told.push_back(line); });
    TextureLoadOptions magenta;
    magenta.ColorKey = 0xFFFF00FF;
    {
        const PicturePrefetch ahead(
            {{keyed, magenta}, {keyed, magenta}, {broken, {}}, {folder.File("missing.bmp"), {}}, {keyed, {}}});
        std::this_thread::sleep_for(std::chrono::milliseconds(50));  // most likely all decoded by now
        for (int copy = 0; copy < 3; ++copy) {  // two asked for ahead, one not
            const auto image = LoadTextureImage(keyed, magenta);
            ASSERT_TRUE(image) << copy;
            EXPECT_EQ(image->ArgbAt(0, 0), 0x00000000u) << copy;
            EXPECT_EQ(image->ArgbAt(1, 0), 0xFF0AC81Eu) << copy;
        }
        TextureLoadOptions fiveBits = magenta;
        fiveBits.Format = TextureFormat::A1R5G5B5;
        EXPECT_EQ(LoadTextureImage(keyed, fiveBits)->ArgbAt(1, 0), 0xFF08CE18u);
        EXPECT_FALSE(LoadTextureImage(broken, {}));
        EXPECT_FALSE(LoadTextureImage(folder.File("missing.bmp"), {}));
    }
    EXPECT_EQ(LoadTextureImage(keyed, {})->ArgbAt(0, 0), 0xFFFF00FFu);
    platform::SetDiagnosticSink(nullptr);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("broken.bmp refused"), std::string::npos) << told[0];
}
