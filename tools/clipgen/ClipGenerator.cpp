// Makes the clip the video example plays: four seconds at 25 frames per second, 176 x 144,
// a sky that darkens towards the bottom with slow waves, and a red box bouncing across it.
// Usage: parvolin-clipgen <file.ogv>
#include "testdata/TheoraClip.h"

#include <cmath>
#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.ogv>\n", argv[0]);
        return 2;
    }
    ClipFormat format;
    format.pictureWidth = 176;
    format.pictureHeight = 144;
    format.quality = 40;
    const int frameCount = 100;
    const unsigned box = 32;
    std::vector<YuvFrame> frames;
    for (int k = 0; k < frameCount; ++k) {
        YuvFrame frame = format.blankFrame();
        for (unsigned y = 0; y < frame.height; ++y)
            for (unsigned x = 0; x < frame.width; ++x) {
                const double wave = 12.0 * std::sin((x + 3.0 * k) / 14.0);
                frame.lumaAt(x, y) = static_cast<uint8_t>(200.0 - y * 0.9 + wave);
            }
        for (unsigned y = 0; y < frame.height / 2; ++y)
            for (unsigned x = 0; x < frame.width / 2; ++x) {
                frame.cbAt(x, y) = static_cast<uint8_t>(150 + x / 8);
                frame.crAt(x, y) = static_cast<uint8_t>(110 + y / 6);
            }
        // The box bounces between the edges, two pixels a frame.
        const unsigned span = format.pictureWidth - box;
        const unsigned step = static_cast<unsigned>(k * 4) % (2 * span);
        const unsigned left = (step < span ? step : 2 * span - step) & ~1u;
        const unsigned top = 56;
        for (unsigned y = top; y < top + box; ++y)
            for (unsigned x = left; x < left + box; ++x)
                frame.lumaAt(x, y) = 81;
        for (unsigned y = top / 2; y < (top + box) / 2; ++y)
            for (unsigned x = left / 2; x < (left + box) / 2; ++x) {
                frame.cbAt(x, y) = 90;
                frame.crAt(x, y) = 240;
            }
        frames.push_back(frame);
    }
    const std::string clip = encodeTheoraClip(format, frames);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << clip;
    if (clip.empty() || !out) {
        std::fprintf(stderr, "%s: the clip could not be made or written\n", argv[1]);
        return 1;
    }
    return 0;
}
