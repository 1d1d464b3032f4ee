// The little-endian readers and writers of the track layouts: in memory, or fetched a piece
// at a time.
#include "shared/TrackCodec.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace TrackCodec {
namespace {

// A piece fetched at a time: large enough that a file is read in few calls, small enough
// that what a read fetches beyond the layout's end costs nothing.
constexpr size_t kPieceSize = 64 * 1024;

}  // namespace

bool ByteReader::Take(size_t n) {
    if (failed_ || n > size_ - pos_ || (pos_ + n > windowStart_ + windowSize_ && !Fetched(n))) {
        failed_ = true;
        return false;
    }
    return true;
}

// The bytes at hand that the reads have not passed yet move to the piece's start, and the
// rest of the piece is fetched after them: every byte is fetched once, in order.
bool ByteReader::Fetched(size_t n) {
    if (!fetch_) return false;
    const size_t windowEnd = windowStart_ + windowSize_;
    const size_t kept = pos_ < windowEnd ? windowEnd - pos_ : 0;
    if (kept) std::memmove(piece_.data(), piece_.data() + (pos_ - windowStart_), kept);
    windowStart_ = pos_;
    windowSize_ = kept;
    const size_t wanted = std::min(std::max(kPieceSize, n), size_ - pos_);
    if (piece_.size() < wanted) piece_.resize(wanted);
    while (windowSize_ < wanted) {
        const size_t got = fetch_(windowStart_ + windowSize_, piece_.data() + windowSize_, wanted - windowSize_);
        if (got == 0) break;
        windowSize_ += got;
    }
    return windowSize_ >= n;
}

uint8_t ByteReader::U8() {
    if (!Take(1)) return 0;
    const uint8_t v = *Here();
    pos_ += 1;
    return v;
}

uint16_t ByteReader::U16() {
    if (!Take(2)) return 0;
    const uint8_t* p = Here();
    const auto v = static_cast<uint16_t>(p[0] | (p[1] << 8));
    pos_ += 2;
    return v;
}

int16_t ByteReader::I16() { return static_cast<int16_t>(U16()); }

int32_t ByteReader::I32() {
    if (!Take(4)) return 0;
    const uint8_t* p = Here();
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
    pos_ += 4;
    return static_cast<int32_t>(v);
}

float ByteReader::F32() { return std::bit_cast<float>(static_cast<uint32_t>(I32())); }

std::string ByteReader::Text(size_t length) {
    if (!Take(length)) return {};
    std::string s(reinterpret_cast<const char*>(Here()), length);
    pos_ += length;
    return s;
}

void ByteReader::Skip(uint64_t count) {
    if (failed_ || count > size_ - pos_) {
        failed_ = true;
        return;
    }
    pos_ += static_cast<size_t>(count);
}

bool ByteReader::Fits(int64_t count, size_t recordSize) const {
    if (failed_ || count < 0) return false;
    return static_cast<uint64_t>(count) <= (size_ - pos_) / recordSize;
}

// ---- ByteWriter ----

void ByteWriter::U16(uint16_t v) {
    out_.push_back(static_cast<uint8_t>(v));
    out_.push_back(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::I16(int16_t v) { U16(static_cast<uint16_t>(v)); }

void ByteWriter::I32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<uint8_t>(u >> shift));
}

void ByteWriter::F32(float v) { I32(static_cast<int32_t>(std::bit_cast<uint32_t>(v))); }

void ByteWriter::Text(const std::string& text, size_t length) {
    for (size_t i = 0; i < length; ++i) out_.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : ' ');
}

}  // namespace TrackCodec
