#ifndef PARVOLIN_RATE_CONVERTER_H
#define PARVOLIN_RATE_CONVERTER_H

#include <cstdint>

class SoundDecoder;

// Takes a decoder's frames at its own rate to the mixer's 44,100 Hz by linear
// interpolation: output frame k sits at source position k x rate / 44,100, between source
// frames i and i + 1 at the fraction f / 44,100 (i and f the quotient and remainder), and
// is s[i] + (s[i+1] - s[i]) x f / 44,100, the division rounding towards zero (in 64 bits: the
// step between two samples times the fraction exceeds 32); the last
// source frame stands in for the one after it. A source of N frames gives the output
// frames that sit before N. At 44,100 Hz the frames are passed on as they are. One piece
// at a time, so that music converts as it plays and a sound as it loads.
class RateConverter {
public:
    static constexpr uint32_t outputRate = 44100;

    // Reads from the decoder's present position on.
    void start(SoundDecoder* decoder);
    // Up to `count` output frames: the number, 0 at the end, or minus a result code.
    long read(int16_t* frames, unsigned long count);

private:
    static constexpr unsigned long windowFrames = 1024;

    // The window holds source frames `first` to `last`, as far as the source has them.
    long load(uint64_t first, uint64_t last);

    SoundDecoder* decoder = nullptr;
    uint32_t rate = outputRate;
    unsigned channels = 1;
    uint64_t outputFrame = 0;
    int16_t window[windowFrames * 2];
    uint64_t windowStart = 0;
    unsigned long windowLength = 0;
    bool sourceEnded = false;
};

#endif
