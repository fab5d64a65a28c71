#include "VideoTestSupport.h"

#include <ogg/ogg.h>

std::vector<YuvFrame> patternFrames(const ClipFormat& format, int count)
{
    std::vector<YuvFrame> frames;
    for (int k = 0; k < count; ++k) {
        if (k == 0) {
            frames.push_back(format.blankFrame(16));
            continue;
        }
        if (k == 1) {
            frames.push_back(format.blankFrame(235));
            continue;
        }
        YuvFrame frame = format.blankFrame();
        for (unsigned row = 0; row < frame.height; ++row)
            for (unsigned x = 0; x < frame.width; ++x)
                frame.lumaAt(x, row) = static_cast<uint8_t>((x * 3 + row * 2 + unsigned(k) * 29) % 256);
        for (unsigned row = 0; row < frame.chromaHeight; ++row)
            for (unsigned x = 0; x < frame.chromaWidth; ++x) {
                frame.cbAt(x, row) = static_cast<uint8_t>((x * 5 + unsigned(k) * 31) % 256);
                frame.crAt(x, row) = static_cast<uint8_t>((row * 7 + x + unsigned(k) * 13) % 256);
            }
        frames.push_back(frame);
    }
    return frames;
}

std::string oggStream(int serial, const std::vector<std::string>& packets)
{
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);
    std::string out;
    for (size_t i = 0; i < packets.size(); ++i) {
        ogg_packet packet = {};
        packet.packet = reinterpret_cast<unsigned char*>(const_cast<char*>(packets[i].data()));
        packet.bytes = static_cast<long>(packets[i].size());
        packet.b_o_s = i == 0;
        packet.e_o_s = i + 1 == packets.size();
        packet.packetno = static_cast<ogg_int64_t>(i);
        ogg_stream_packetin(&stream, &packet);
        ogg_page page;
        while (ogg_stream_flush(&stream, &page) > 0) {
            out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
            out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
        }
    }
    ogg_stream_clear(&stream);
    return out;
}

FileOnDisk::FileOnDisk(const std::string& bytes, const std::wstring& name)
{
    folder.write(name, bytes);
    uri = L"file:" + folder.path(name);
}
