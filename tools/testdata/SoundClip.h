#ifndef PARVOLIN_TEST_SOUND_CLIP_H
#define PARVOLIN_TEST_SOUND_CLIP_H

// A Theora clip with a Vorbis sound track beside it in one Ogg file, for the tests of a
// video's sound: both streams' headers first, then their pages in the order of their
// times, as a muxer writes them.

#include "testdata/SoundFiles.h"
#include "testdata/TheoraClip.h"

#include <algorithm>
#include <utility>

namespace SoundClip {

// The Ogg file's pages split into the beginning-of-stream page, the other header pages and
// the data pages with their start in seconds.
struct Pages {
    std::string first;
    std::vector<std::string> headers;
    std::vector<std::pair<double, std::string>> timed;
};

inline Pages split(const std::string& file, double secondsPerGranule, bool theora)
{
    Pages out;
    std::vector<std::string> pages = oggPages(file);
    int headerPages = 0;
    for (std::string& bytes : pages) {
        ogg_page page;
        page.header = reinterpret_cast<unsigned char*>(&bytes[0]);
        page.header_len = 27 + static_cast<unsigned char>(bytes[26]);
        page.body = page.header + page.header_len;
        page.body_len = static_cast<long>(bytes.size()) - page.header_len;
        const ogg_int64_t granule = ogg_page_granulepos(&page);
        if (ogg_page_bos(&page)) {
            out.first = bytes;
        } else if (granule <= 0 && headerPages < 2) {
            out.headers.push_back(bytes);
            ++headerPages;
        } else {
            // Theora's granule counts frames (with the default keyframe shift of 6).
            const double units = theora ? double((granule >> 6) + (granule & 63)) : double(granule);
            out.timed.emplace_back(units * secondsPerGranule, bytes);
        }
    }
    return out;
}

// `frames` of video and `samples` (interleaved) of sound in one file.
inline std::string encode(const ClipFormat& format, const std::vector<YuvFrame>& frames,
                          const std::vector<int16_t>& samples, unsigned channels, uint32_t rate)
{
    const std::string video = encodeTheoraClip(format, frames);
    const std::string sound = SoundFiles::vorbis(samples, channels, rate);
    if (video.empty() || sound.empty())
        return std::string();
    Pages pictures = split(video, double(format.fpsDenominator) / format.fpsNumerator, true);
    Pages track = split(sound, 1.0 / rate, false);
    std::string out = pictures.first + track.first;
    for (const std::string& page : pictures.headers)
        out += page;
    for (const std::string& page : track.headers)
        out += page;
    std::vector<std::pair<double, std::string>> timed = pictures.timed;
    timed.insert(timed.end(), track.timed.begin(), track.timed.end());
    std::stable_sort(timed.begin(), timed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& page : timed)
        out += page.second;
    return out;
}

} // namespace SoundClip

#endif
