#ifndef PARVOLIN_TEST_THEORA_CLIP_H
#define PARVOLIN_TEST_THEORA_CLIP_H

// Builds Theora clips in Ogg files in memory with libtheora's encoder and libogg, for
// tests, benchmarks and fuzz seeds. Header-only: the benchmarks and fuzz targets use it too.

#include <ogg/ogg.h>
#include <theora/theoraenc.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// One frame at the coded size (multiples of 16); the picture is a window of it. Its chroma
// planes are halved across when `chromaShiftX` is 1 and down when `chromaShiftY` is 1:
// 4:2:0 (1, 1), 4:2:2 (1, 0), 4:4:4 (0, 0).
struct YuvFrame {
    unsigned width = 0;
    unsigned height = 0;
    unsigned chromaWidth = 0;
    unsigned chromaHeight = 0;
    std::vector<uint8_t> y, u, v;

    YuvFrame() = default;
    YuvFrame(unsigned frameWidth, unsigned frameHeight, uint8_t luma = 16, uint8_t cb = 128, uint8_t cr = 128,
             unsigned chromaShiftX = 1, unsigned chromaShiftY = 1)
        : width(frameWidth), height(frameHeight), chromaWidth(frameWidth >> chromaShiftX),
          chromaHeight(frameHeight >> chromaShiftY), y(size_t(frameWidth) * frameHeight, luma),
          u(size_t(chromaWidth) * chromaHeight, cb), v(size_t(chromaWidth) * chromaHeight, cr)
    {
    }

    uint8_t& lumaAt(unsigned x, unsigned row) { return y[size_t(row) * width + x]; }
    uint8_t& cbAt(unsigned x, unsigned row) { return u[size_t(row) * chromaWidth + x]; }
    uint8_t& crAt(unsigned x, unsigned row) { return v[size_t(row) * chromaWidth + x]; }
};

struct ClipFormat {
    unsigned pictureWidth = 176;
    unsigned pictureHeight = 144;
    unsigned offsetX = 0;  // from the left
    unsigned offsetY = 0;  // from the top
    uint32_t fpsNumerator = 25;
    uint32_t fpsDenominator = 1;
    int quality = 63;
    th_pixel_fmt pixelFormat = TH_PF_420;

    unsigned chromaShiftX() const { return pixelFormat == TH_PF_444 ? 0 : 1; }
    unsigned chromaShiftY() const { return pixelFormat == TH_PF_420 ? 1 : 0; }
    unsigned frameWidth() const { return (offsetX + pictureWidth + 15) & ~15u; }
    unsigned frameHeight() const { return (offsetY + pictureHeight + 15) & ~15u; }
    YuvFrame blankFrame(uint8_t luma = 16, uint8_t cb = 128, uint8_t cr = 128) const
    {
        return YuvFrame(frameWidth(), frameHeight(), luma, cb, cr, chromaShiftX(), chromaShiftY());
    }
};

// The whole Ogg file: the first header alone on the beginning-of-stream page, the other
// two on the next page, then the frames' pages. Empty when the encoder refuses the format.
inline std::string encodeTheoraClip(const ClipFormat& format, const std::vector<YuvFrame>& frames)
{
    th_info info;
    th_info_init(&info);
    info.frame_width = format.frameWidth();
    info.frame_height = format.frameHeight();
    info.pic_width = format.pictureWidth;
    info.pic_height = format.pictureHeight;
    info.pic_x = format.offsetX;
    info.pic_y = format.offsetY;
    info.fps_numerator = format.fpsNumerator;
    info.fps_denominator = format.fpsDenominator;
    info.aspect_numerator = 1;
    info.aspect_denominator = 1;
    info.colorspace = TH_CS_UNSPECIFIED;
    info.pixel_fmt = format.pixelFormat;
    info.quality = format.quality;
    info.target_bitrate = 0;
    th_enc_ctx* encoder = th_encode_alloc(&info);
    th_info_clear(&info);
    if (!encoder)
        return std::string();

    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x5EED);
    std::string out;
    auto take = [&](int (*emit)(ogg_stream_state*, ogg_page*)) {
        ogg_page page;
        while (emit(&stream, &page) > 0) {
            out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
            out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
        }
    };

    th_comment comment;
    th_comment_init(&comment);
    ogg_packet packet;
    bool first = true;
    while (th_encode_flushheader(encoder, &comment, &packet) > 0) {
        ogg_stream_packetin(&stream, &packet);
        if (first)
            take(ogg_stream_flush);
        first = false;
    }
    take(ogg_stream_flush);
    th_comment_clear(&comment);

    for (size_t i = 0; i < frames.size(); ++i) {
        const YuvFrame& frame = frames[i];
        th_ycbcr_buffer planes;
        planes[0] = {int(frame.width), int(frame.height), int(frame.width), const_cast<uint8_t*>(frame.y.data())};
        planes[1] = {int(frame.chromaWidth), int(frame.chromaHeight), int(frame.chromaWidth),
                     const_cast<uint8_t*>(frame.u.data())};
        planes[2] = {int(frame.chromaWidth), int(frame.chromaHeight), int(frame.chromaWidth),
                     const_cast<uint8_t*>(frame.v.data())};
        if (th_encode_ycbcr_in(encoder, planes) != 0)
            break;
        while (th_encode_packetout(encoder, i + 1 == frames.size(), &packet) > 0)
            ogg_stream_packetin(&stream, &packet);
        take(ogg_stream_pageout);
    }
    take(ogg_stream_flush);
    ogg_stream_clear(&stream);
    th_encode_free(encoder);
    return out;
}

// The whole pages of an Ogg file, in order.
inline std::vector<std::string> oggPages(const std::string& bytes)
{
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(bytes.size()));
    std::memcpy(buffer, bytes.data(), bytes.size());
    ogg_sync_wrote(&sync, static_cast<long>(bytes.size()));
    std::vector<std::string> pages;
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1) {
        pages.emplace_back(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
        pages.back().append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
    }
    ogg_sync_clear(&sync);
    return pages;
}

// The packets of the first logical stream of an Ogg file (a clip made above holds one).
inline std::vector<std::string> oggPackets(const std::string& bytes)
{
    std::vector<std::string> packets;
    ogg_stream_state stream;
    bool started = false;
    for (std::string& bytesOfPage : oggPages(bytes)) {
        ogg_page page;
        page.header = reinterpret_cast<unsigned char*>(&bytesOfPage[0]);
        page.header_len = 27 + static_cast<unsigned char>(bytesOfPage[26]);
        page.body = page.header + page.header_len;
        page.body_len = static_cast<long>(bytesOfPage.size()) - page.header_len;
        if (!started)
            ogg_stream_init(&stream, ogg_page_serialno(&page));
        started = true;
        ogg_stream_pagein(&stream, &page);
        ogg_packet packet;
        while (ogg_stream_packetout(&stream, &packet) == 1)
            packets.emplace_back(reinterpret_cast<const char*>(packet.packet), static_cast<size_t>(packet.bytes));
    }
    if (started)
        ogg_stream_clear(&stream);
    return packets;
}

// A packet as the Theora calls take it: `index` 0 begins the stream.
inline ogg_packet theoraPacket(std::string& bytes, size_t index)
{
    ogg_packet packet = {};
    packet.packet = reinterpret_cast<unsigned char*>(&bytes[0]);
    packet.bytes = static_cast<long>(bytes.size());
    packet.b_o_s = index == 0;
    packet.packetno = static_cast<ogg_int64_t>(index);
    return packet;
}

#endif
