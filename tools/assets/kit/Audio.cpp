#include "tools/assets/kit/Audio.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace assetkit {
namespace {

std::ofstream OpenForWriting(const std::string& path) {
    std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    return out;
}

void Put16(std::ofstream& out, uint16_t v) {
    char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out.write(b, 2);
}

void Put32(std::ofstream& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

int16_t ToInt16(float s) { return static_cast<int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f)); }

void WritePages(std::ofstream& out, ogg_stream_state& stream, bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        out.write(reinterpret_cast<const char*>(page.header), page.header_len);
        out.write(reinterpret_cast<const char*>(page.body), page.body_len);
    }
}

}  // namespace

void WriteWav(const Pcm& pcm, const std::string& path) {
    std::ofstream out = OpenForWriting(path);
    const uint32_t dataBytes = static_cast<uint32_t>(pcm.samples.size() * 2);
    const uint16_t blockAlign = static_cast<uint16_t>(pcm.channels * 2);
    out.write("RIFF", 4);
    Put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, static_cast<uint16_t>(pcm.channels));
    Put32(out, static_cast<uint32_t>(pcm.sampleRate));
    Put32(out, static_cast<uint32_t>(pcm.sampleRate) * blockAlign);
    Put16(out, blockAlign);
    Put16(out, 16);
    out.write("data", 4);
    Put32(out, dataBytes);
    for (float s : pcm.samples) Put16(out, static_cast<uint16_t>(ToInt16(s)));
    if (!out) throw std::runtime_error("cannot write " + path);
}

void WriteOgg(const Pcm& pcm, const std::string& path, float quality) {
    std::ofstream out = OpenForWriting(path);
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, pcm.channels, pcm.sampleRate, quality) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error("vorbis encoder refused the format for " + path);
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x56454C4F);  // a fixed serial number keeps the file reproducible

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    WritePages(out, stream, true);

    const size_t frames = pcm.Frames();
    const size_t chunk = 4096;
    for (size_t start = 0;; start += chunk) {
        const size_t count = start < frames ? std::min(chunk, frames - start) : 0;
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (size_t f = 0; f < count; ++f)
                for (int c = 0; c < pcm.channels; ++c)
                    buffer[c][f] = pcm.samples[(start + f) * static_cast<size_t>(pcm.channels) + c];
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));  // 0 marks the end of the stream
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                WritePages(out, stream, false);
            }
        }
        if (count == 0) break;
    }
    WritePages(out, stream, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace assetkit
