#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "tests/support/files/BmpFile.h"
#include "tests/support/files/ScratchFolder.h"
#include "ui/BITMAP_Loader.h"

namespace {

class BitmapSize : public ::testing::Test {
protected:
    // Reads the size of bytes written to a file; (-1, -1) stays when the read fails.
    bool Read(const std::vector<uint8_t>& bytes) {
        folder.Write("picture.bmp", bytes);
        return BITMAP_Loader::GetBitmapSize(folder.File("picture.bmp"), width, height);
    }

    ScratchFolder folder;
    int32_t width = -1, height = -1;
};

}  // namespace

TEST_F(BitmapSize, ReadsWidthAndHeightFromTheHeaders) {
    ASSERT_TRUE(Read(BmpBytes(200, 50)));
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 50);
}

TEST_F(BitmapSize, TopDownPictureGivesItsRealHeight) {
    ASSERT_TRUE(Read(BmpBytes(30, -20)));
    EXPECT_EQ(width, 30);
    EXPECT_EQ(height, 20);
}

TEST_F(BitmapSize, HeadersAloneAreEnough) {
    auto bytes = BmpBytes(640, 480);
    bytes.resize(54);
    ASSERT_TRUE(Read(bytes));
    EXPECT_EQ(width, 640);
}

TEST_F(BitmapSize, MissingShortOrForeignFilesFailAndLeaveTheSizeAlone) {
    EXPECT_FALSE(BITMAP_Loader::GetBitmapSize(folder.File("absent.bmp"), width, height));
    EXPECT_FALSE(Read({}));
    auto cut = BmpBytes(10, 10);
    cut.resize(30);  // ends inside the info header
    EXPECT_FALSE(Read(cut));
    auto jpeg = BmpBytes(10, 10);
    jpeg[0] = 0xFF;
    jpeg[1] = 0xD8;
    EXPECT_FALSE(Read(jpeg));
    EXPECT_EQ(width, -1);
    EXPECT_EQ(height, -1);
}

TEST_F(BitmapSize, DamagedHeadersFail) {
    auto oldHeader = BmpBytes(10, 10);
    PutInt32(oldHeader, 14, 12);  // a 12-byte header keeps 16-bit sizes elsewhere
    EXPECT_FALSE(Read(oldHeader));
    for (auto [w, h] : {std::pair{0, 10}, {-5, 10}, {10, 0}, {INT32_MAX, 10}, {10, INT32_MIN}}) {
        auto bytes = BmpBytes(1, 1);
        PutInt32(bytes, 18, w);
        PutInt32(bytes, 22, h);
        EXPECT_FALSE(Read(bytes)) << w << " x " << h;
    }
    EXPECT_EQ(width, -1);
}
