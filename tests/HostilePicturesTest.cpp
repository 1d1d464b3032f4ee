// Pictures checked before decoding: a file whose header claims more than the file holds, or
// more than a texture may be, is refused without the decoder reserving memory for the claim
// (the sanitizer run limits every allocation, see tests/CMakeLists.txt), and the game goes on
// without the picture, as without a missing one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "game/DebugLog.h"
#include "platform/Diagnostics.h"
#include "platform/formats/PictureCheck.h"
#include "platform/formats/TextureImage.h"
#include "tests/support/files/BmpFile.h"
#include "tests/support/play/PlayRig.h"
#include "tools/assets/kit/Image.h"
#include "world/clsParticles.h"

namespace {

// Only the two headers of a 24-bit bitmap claiming width x height, padded to size bytes.
std::vector<uint8_t> BitmapHeaders(int32_t width, int32_t height, size_t size = 64) {
    std::vector<uint8_t> bytes = BmpBytes(1, 1);
    PutInt32(bytes, 18, width);
    PutInt32(bytes, 22, height);
    bytes.resize(size, 0);
    return bytes;
}

// A PNG signature and header claiming width x height pixels of 8-bit RGBA, and nothing else.
std::vector<uint8_t> PngHeader(uint32_t width, uint32_t height) {
    std::vector<uint8_t> bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (uint32_t v : {width, height})
        for (int shift : {24, 16, 8, 0}) bytes.push_back(static_cast<uint8_t>(v >> shift));
    bytes.insert(bytes.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});  // RGBA, 8 bits; the checksum is not read
    return bytes;
}

std::string Problem(const std::vector<uint8_t>& bytes, int maxSide = platform::kLargestTextureSide) {
    return platform::PictureProblem(bytes.data(), bytes.size(), maxSide);
}

}  // namespace

TEST(HostilePictures, The64ByteBitmapClaiming20000SquareIsRefusedBeforeDecoding) {
    const std::vector<uint8_t> hostile = BitmapHeaders(20000, 20000);
    ASSERT_EQ(hostile.size(), 64u);
    std::string error;
    EXPECT_FALSE(d3d::DecodeTextureImage(hostile.data(), hostile.size(), {}, platform::kLargestTextureSide, &error));
    EXPECT_NE(error.find("20000 x 20000 pixels"), std::string::npos) << error;
    // Within the side bound, the claim still needs 8000 rows of 24000 bytes.
    EXPECT_NE(Problem(BitmapHeaders(8000, -8000)).find("fewer than the 192000054"), std::string::npos)
        << Problem(BitmapHeaders(8000, -8000));
}

TEST(HostilePictures, EachFormatMustHoldWhatItsHeaderClaims) {
    auto whole = BmpBytes(9, 7);
    EXPECT_EQ(Problem(whole), "");
    whole.pop_back();
    EXPECT_NE(Problem(whole), "");

    ScratchFolder folder;
    assetkit::WriteJpeg(assetkit::Image(16, 8, {200, 100, 50}), folder.File("p.jpg"));
    auto jpeg = folder.Read("p.jpg");
    EXPECT_EQ(Problem(jpeg), "");
    const uint8_t startOfFrame[] = {0xFF, 0xC0};
    const auto frame = std::search(jpeg.begin(), jpeg.end(), std::begin(startOfFrame), std::end(startOfFrame));
    ASSERT_NE(frame, jpeg.end());
    for (size_t k : {5u, 7u}) {  // height, then width, big-endian: 8000 = 0x1F40
        frame[static_cast<long>(k)] = 0x1F;
        frame[static_cast<long>(k) + 1] = 0x40;
    }
    EXPECT_NE(Problem(jpeg).find("fewer than"), std::string::npos) << Problem(jpeg);

    EXPECT_NE(Problem(PngHeader(8000, 8000)).find("fewer than"), std::string::npos);
    EXPECT_NE(Problem(PngHeader(9000, 1)).find("more than the largest texture side of 8192"), std::string::npos);
    EXPECT_NE(Problem({'G', 'I', 'F', '8', '9', 'a'}).find("not a picture"), std::string::npos);
}

TEST(HostilePictures, AJpegHuffmanTableOfMoreThan256CodesIsRefused) {
    ScratchFolder folder;
    assetkit::WriteJpeg(assetkit::Image(16, 8, {200, 100, 50}), folder.File("p.jpg"));
    auto jpeg = folder.Read("p.jpg");
    const uint8_t huffmanTable[] = {0xFF, 0xC4};
    const auto table = std::search(jpeg.begin(), jpeg.end(), std::begin(huffmanTable), std::end(huffmanTable));
    ASSERT_NE(table, jpeg.end());
    // After the marker, the length and the class byte: sixteen counts, here 15 x 16 + 17 = 257.
    for (long i = 0; i < 16; ++i) table[5 + i] = i == 0 ? 17 : 16;
    EXPECT_EQ(Problem(jpeg), "a damaged Huffman table");
    EXPECT_FALSE(d3d::DecodeTextureImage(jpeg.data(), jpeg.size(), {}, platform::kLargestTextureSide));
}

TEST(HostilePictures, TheSideBoundIsTheOneGiven) {
    const auto wide = BmpBytes(300, 1);
    EXPECT_EQ(Problem(wide, 300), "");
    EXPECT_NE(Problem(wide, 256), "");
    EXPECT_FALSE(d3d::DecodeTextureImage(wide.data(), wide.size(), {}, 256));
}

TEST(HostilePictures, TheGameLogsTheRefusalAndGoesOnWithoutThePicture) {
    PlayRig rig;
    std::filesystem::create_directory(rig.folder.File("misc"));
    rig.folder.Write("misc/starParticle.bmp", BitmapHeaders(20000, 20000));
    platform::SetDiagnosticSink(VeloRuneDebug::WriteDebugLine);
    clsParticles particles;
    particles.create();
    platform::SetDiagnosticSink(nullptr);
    const std::string log = rig.CloseLog();
    EXPECT_NE(log.find("misc/starParticle.bmp refused: 20000 x 20000 pixels"), std::string::npos) << log;
    EXPECT_NE(log.find("CREATED PARTICLE ENGINE = Failed"), std::string::npos) << log;
}
