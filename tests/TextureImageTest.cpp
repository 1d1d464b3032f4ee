#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <thread>

#include "platform/Diagnostics.h"
#include "platform/threads/PicturePrefetch.h"
#include "platform/formats/TextureImage.h"
#include "tests/support/files/ScratchFolder.h"
#include "tools/assets/kit/Image.h"

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
// by the loader, as without a prefetch; a missing one tells nothing. Once the thread is through,
// the keyed picture's file holds another picture: the copies asked for ahead show the thread's.
TEST(PicturePrefetch, GivesTheLoaderWhatItWouldHaveDecodedItself) {
    ScratchFolder folder;
    const std::string keyed = WriteKeyedPicture(folder), broken = folder.File("broken.bmp");
    std::ofstream(broken) << "BM not a picture";
    std::vector<std::string> told;
    platform::SetDiagnosticSink([&](const std::string& line) { told.push_back(line); });
    TextureLoadOptions magenta;
    magenta.ColorKey = 0xFFFF00FF;
    {
        PicturePrefetch ahead(
            {{keyed, magenta}, {keyed, magenta}, {broken, {}}, {folder.File("missing.bmp"), {}}, {keyed, {}}});
        ASSERT_TRUE(ahead.WaitUntilDecoded(std::chrono::seconds(5))) << "the thread decoded nothing";
        assetkit::WriteBmp(assetkit::Image(3, 2, {1, 2, 3}), keyed);
        for (int copy = 0; copy < 2; ++copy) {
            const auto image = LoadTextureImage(keyed, magenta);
            ASSERT_TRUE(image) << copy;
            EXPECT_EQ(image->ArgbAt(0, 0), 0x00000000u) << copy;
            EXPECT_EQ(image->ArgbAt(1, 0), 0xFF0AC81Eu) << copy;
        }
        EXPECT_EQ(LoadTextureImage(keyed, magenta)->ArgbAt(1, 0), 0xFF010203u) << "not asked for ahead";
        EXPECT_EQ(LoadTextureImage(keyed, {})->ArgbAt(0, 0), 0xFFFF00FFu);
        EXPECT_FALSE(LoadTextureImage(broken, {}));
        EXPECT_FALSE(LoadTextureImage(folder.File("missing.bmp"), {}));
    }
    EXPECT_EQ(LoadTextureImage(keyed, {})->ArgbAt(0, 0), 0xFF010203u);
    platform::SetDiagnosticSink(nullptr);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("broken.bmp refused"), std::string::npos) << told[0];
}

// Where no thread can be started (a limit on the user's processes), the pictures are decoded
// as they are loaded, and nothing ends the program.
TEST(PicturePrefetch, WithoutAThreadTheLoaderDecodesThemItself) {
    ScratchFolder folder;
    const std::string keyed = WriteKeyedPicture(folder);
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::others_read |
                                                    std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Limits bind an ordinary user only.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(3);
        const rlimit none{0, 0};
        if (setrlimit(RLIMIT_NPROC, &none) != 0) std::_Exit(3);
        try {
            std::thread([] {}).join();
            std::_Exit(3);  // the limit does not bind here
        } catch (const std::system_error&) {
        }
        try {
            PicturePrefetch ahead({{keyed, {}}});
            const auto image = LoadTextureImage(keyed, {});
            std::_Exit(!ahead.WaitUntilDecoded(std::chrono::milliseconds(0)) && image &&
                               image->ArgbAt(1, 0) == 0xFF0AC81Eu
                           ? 0
                           : 1);
        } catch (...) {
            std::_Exit(4);  // uncaught, the program would end
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3) GTEST_SKIP() << "no limit on threads could be set";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}
