#ifndef PARVOLIN_TEST_SOUND_FILES_H
#define PARVOLIN_TEST_SOUND_FILES_H

// Builds sound files in memory for tests, benchmarks and fuzz seeds: RIFF WAVE files of
// any header (so that lying ones can be made too) and Ogg Vorbis with libvorbis's encoder.
// Header-only, like the clip builder.

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace SoundFiles {

inline void put16(std::string& out, uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

inline void put32(std::string& out, uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

struct WaveFormat {
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 44100;
    uint16_t bits = 16;
    // 0: what the format gives.
    uint32_t byteRate = 0;
    uint16_t blockAlign = 0;
    // Extra bytes of the format chunk (IMA ADPCM: 2, its frames per block).
    std::string extra;
};

// "RIFF" size "WAVE", a format chunk, the data chunk (its size as stated, or the data's).
inline std::string wave(const WaveFormat& format, const std::string& data, int64_t statedDataSize = -1,
                        int64_t statedRiffSize = -1)
{
    const uint16_t align = format.blockAlign ? format.blockAlign : uint16_t(format.channels * format.bits / 8);
    const uint32_t byteRate = format.byteRate ? format.byteRate : format.rate * align;
    std::string fmt;
    put16(fmt, format.tag);
    put16(fmt, format.channels);
    put32(fmt, format.rate);
    put32(fmt, byteRate);
    put16(fmt, align);
    put16(fmt, format.bits);
    if (!format.extra.empty()) {
        put16(fmt, static_cast<uint32_t>(format.extra.size()));
        fmt += format.extra;
    }
    std::string body = "WAVEfmt ";
    put32(body, static_cast<uint32_t>(fmt.size()));
    body += fmt;
    if (fmt.size() & 1)
        body.push_back(0);
    body += "data";
    put32(body, statedDataSize >= 0 ? static_cast<uint32_t>(statedDataSize) : static_cast<uint32_t>(data.size()));
    body += data;
    std::string out = "RIFF";
    put32(out, statedRiffSize >= 0 ? static_cast<uint32_t>(statedRiffSize) : static_cast<uint32_t>(body.size()));
    return out + body;
}

// 16-bit PCM samples as a WAVE file's data.
inline std::string pcm16(const std::vector<int16_t>& samples)
{
    std::string out;
    for (int16_t sample : samples)
        put16(out, static_cast<uint16_t>(sample));
    return out;
}

inline std::string wave16(const std::vector<int16_t>& samples, uint16_t channels = 1, uint32_t rate = 44100)
{
    WaveFormat format;
    format.channels = channels;
    format.rate = rate;
    return wave(format, pcm16(samples));
}

// A sine of `frames` frames at `hertz` and `amplitude`, the same on every channel.
inline std::vector<int16_t> sine(size_t frames, unsigned channels, uint32_t rate, double hertz, double amplitude)
{
    std::vector<int16_t> out;
    for (size_t i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(2.0 * 3.14159265358979 * hertz * double(i) / rate);
        for (unsigned c = 0; c < channels; ++c)
            out.push_back(static_cast<int16_t>(std::lround(value)));
    }
    return out;
}

// The samples as an Ogg Vorbis file at the given quality (-0.1 .. 1.0); empty when the
// encoder refuses the format.
inline std::string vorbis(const std::vector<int16_t>& samples, unsigned channels, uint32_t rate, float quality = 0.4f)
{
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, static_cast<long>(channels), static_cast<long>(rate), quality) != 0) {
        vorbis_info_clear(&info);
        return std::string();
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x50D);
    std::string out;
    auto take = [&](int (*emit)(ogg_stream_state*, ogg_page*)) {
        ogg_page page;
        while (emit(&stream, &page) > 0) {
            out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
            out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
        }
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    take(ogg_stream_flush);

    const size_t frames = samples.size() / channels;
    const size_t pieceFrames = 1024;
    for (size_t at = 0;; at += pieceFrames) {
        const size_t count = at >= frames ? 0 : at + pieceFrames <= frames ? pieceFrames : frames - at;
        if (count == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (size_t i = 0; i < count; ++i)
                for (unsigned c = 0; c < channels; ++c)
                    buffer[c][i] = samples[(at + i) * channels + c] / 32768.0f;
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet))
                ogg_stream_packetin(&stream, &packet);
        }
        take(ogg_stream_pageout);
        if (count == 0)
            break;
    }
    take(ogg_stream_flush);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

} // namespace SoundFiles

#endif
