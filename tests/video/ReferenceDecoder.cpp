#include "ReferenceDecoder.h"

#include "testdata/TheoraClip.h"

#include <ogg/ogg.h>
#include <theora/theoradec.h>

#include <algorithm>

namespace ReferenceDecoder {

uint16_t pixel(int y, int u, int v)
{
    auto limit = [](int value) { return std::min(255, std::max(0, value)); };
    // Floor division by 256, whatever the sign.
    auto down = [](int value) { return value >= 0 ? value / 256 : -((-value + 255) / 256); };
    const int r = limit(down(298 * (y - 16) + 409 * (v - 128)));
    const int g = limit(down(298 * (y - 16) - 208 * (v - 128) - 100 * (u - 128) + 128));
    const int b = limit(down(298 * (y - 16) + 516 * (u - 128) + 128));
    return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

namespace {

void appendPicture(Pictures& out, const th_info& info, th_ycbcr_buffer planes)
{
    std::vector<uint16_t> picture(size_t(info.pic_width) * info.pic_height);
    // Chroma samples cover two columns except in 4:4:4, two rows only in 4:2:0.
    const unsigned across = info.pixel_fmt == TH_PF_444 ? 1 : 2;
    const unsigned down = info.pixel_fmt == TH_PF_420 ? 2 : 1;
    for (unsigned row = 0; row < info.pic_height; ++row) {
        const long lumaRow = long(info.pic_y + row);
        const long chromaRow = long(info.pic_y / down + row / down);
        for (unsigned column = 0; column < info.pic_width; ++column) {
            const unsigned chromaColumn = info.pic_x / across + column / across;
            const int y = planes[0].data[lumaRow * planes[0].stride + info.pic_x + column];
            const int u = planes[1].data[chromaRow * planes[1].stride + chromaColumn];
            const int v = planes[2].data[chromaRow * planes[2].stride + chromaColumn];
            picture[size_t(row) * info.pic_width + column] = pixel(y, u, v);
        }
    }
    out.frames.push_back(std::move(picture));
}

} // namespace

Pictures decode(const std::string& clip)
{
    Pictures out;
    th_info info;
    th_comment comment;
    th_setup_info* setup = nullptr;
    th_info_init(&info);
    th_comment_init(&comment);
    th_dec_ctx* decoder = nullptr;
    std::vector<std::string> packets = oggPackets(clip);
    for (size_t i = 0; i < packets.size(); ++i) {
        ogg_packet packet = theoraPacket(packets[i], i);
        if (!decoder) {
            if (th_decode_headerin(&info, &comment, &setup, &packet) > 0)
                continue;
            decoder = th_decode_alloc(&info, setup);
            if (!decoder)
                break;
            out.width = info.pic_width;
            out.height = info.pic_height;
        }
        th_decode_packetin(decoder, &packet, nullptr);
        th_ycbcr_buffer planes;
        th_decode_ycbcr_out(decoder, planes);
        appendPicture(out, info, planes);
    }
    if (decoder)
        th_decode_free(decoder);
    th_setup_free(setup);
    th_comment_clear(&comment);
    th_info_clear(&info);
    return out;
}

} // namespace ReferenceDecoder
