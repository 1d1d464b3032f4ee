#include "platform/formats/PictureCheck.h"

#include <stb_image.h>

#include <climits>
#include <cstring>

#include "platform/formats/BmpHeader.h"

namespace platform {
namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Deflate packs at most 1032 bytes into one: 258 repeated bytes in two bits.
constexpr uint64_t kDeflateBestRatio = 1032;

// Channels of a PNG colour type: grey, -, RGB, palette, grey + alpha, -, RGBA.
uint64_t PngChannels(uint8_t colourType) {
    switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
    }
}

// A JPEG starts with its start-of-image marker, which the decoder finds after any fill bytes.
bool IsJpeg(const uint8_t* bytes, size_t size) {
    if (size < 2 || bytes[0] != 0xFF) return false;
    size_t at = 1;
    while (at < size && bytes[at] == 0xFF) ++at;
    return at < size && bytes[at] == 0xD8;
}

// Whether a Huffman table definition (the segment after an FF C4 marker) lists more than 256
// codes, read table after table as the decoder reads them; bytes past the file read as 0.
bool OversizedTables(const uint8_t* bytes, size_t size, size_t at, long left) {
    auto byte = [&](size_t i) -> unsigned { return i < size ? bytes[i] : 0; };
    while (left > 0) {
        const unsigned classAndSlot = byte(at);
        if ((classAndSlot >> 4) > 1 || (classAndSlot & 15) > 3) return false;  // the decoder stops here
        unsigned codes = 0;
        for (size_t i = 1; i <= 16; ++i) codes += byte(at + i);
        if (codes > 256) return true;
        at += 17 + codes;
        left -= 17 + static_cast<long>(codes);
    }
    return false;
}

// A Huffman table of more than 256 codes overruns the decoder's table (stb_image up to 2.27
// does not refuse it, and reads the tables already for the picture's size). The markers are
// walked as the decoder finds them: bytes between segments and the coded data of a scan are
// passed over up to the next FF that starts a marker, and every segment is skipped by its
// length. A well-formed picture never holds such a table.
bool HasOversizedHuffmanTable(const uint8_t* bytes, size_t size) {
    size_t at = 0;
    while (true) {
        while (at < size && bytes[at] != 0xFF) ++at;
        while (at < size && bytes[at] == 0xFF) ++at;  // fill bytes before a marker
        if (at >= size) return false;
        const uint8_t marker = bytes[at++];
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
        if (marker == 0xD9 || at + 2 > size) return false;  // the end of the picture
        const size_t length = static_cast<size_t>(bytes[at] << 8 | bytes[at + 1]);
        if (marker == 0xC4 && OversizedTables(bytes, size, at + 2, static_cast<long>(length) - 2)) return true;
        at += length;
    }
}

// The fewest bytes a file of that kind needs for w x h pixels; 0 when nothing can be told.
uint64_t LeastBytes(const uint8_t* bytes, size_t size, uint64_t w, uint64_t h) {
    if (const auto bmp = ParseBmpHeader(bytes, size)) return bmp->BytesNeeded();
    if (IsJpeg(bytes, size))
        return (w / 8) * (h / 8) / 8;  // every 8 x 8 block codes at least one bit
    if (size >= 26 && std::memcmp(bytes, kPngSignature, sizeof kPngSignature) == 0) {
        const uint64_t bitsPerPixel = bytes[24] * PngChannels(bytes[25]);
        const uint64_t rowBytes = 1 + (w * bitsPerPixel + 7) / 8;  // a filter byte, then the pixels
        return rowBytes * h / kDeflateBestRatio;
    }
    return 0;
}

}  // namespace

std::string PictureProblem(const uint8_t* bytes, size_t size, int maxSide) {
    // Before anything reads the headers: reading them builds the Huffman tables.
    if (IsJpeg(bytes, size) && HasOversizedHuffmanTable(bytes, size)) return "a damaged Huffman table";
    int w = 0, h = 0, channels = 0;
    if (size > INT_MAX || !stbi_info_from_memory(bytes, static_cast<int>(size), &w, &h, &channels))
        return "not a picture the game can read";
    if (h < 0) h = h == INT_MIN ? INT_MAX : -h;  // a bitmap stored top-down
    if (w <= 0 || h <= 0) return "a picture without pixels";
    if (w > maxSide || h > maxSide)
        return std::to_string(w) + " x " + std::to_string(h) + " pixels, more than the largest texture side of " +
               std::to_string(maxSide);
    const uint64_t needed = LeastBytes(bytes, size, static_cast<uint64_t>(w), static_cast<uint64_t>(h));
    if (size < needed)
        return "the file holds " + std::to_string(size) + " bytes, fewer than the " + std::to_string(needed) +
               " its header claims";
    return {};
}

}  // namespace platform
