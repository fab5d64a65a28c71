#include "audio/RateConverter.h"

#include "audio/SoundDecoder.h"

#include <cstring>

void RateConverter::start(SoundDecoder* source)
{
    decoder = source;
    rate = source->rate();
    channels = source->channels();
    outputFrame = 0;
    windowStart = 0;
    windowLength = 0;
    sourceEnded = false;
}

long RateConverter::load(uint64_t first, uint64_t last)
{
    while (last >= windowStart + windowLength && !sourceEnded) {
        // Keep what is still needed (from `first` on), read more behind it.
        const uint64_t end = windowStart + windowLength;
        const uint64_t keepFrom = first < end ? first : end;
        const unsigned long kept = static_cast<unsigned long>(end - keepFrom);
        std::memmove(window, window + (keepFrom - windowStart) * channels, sizeof(int16_t) * kept * channels);
        windowStart = keepFrom;
        windowLength = kept;
        long got = decoder->read(window + kept * channels, windowFrames - kept);
        if (got < 0)
            return got;
        if (got == 0) {
            sourceEnded = decoder->exhausted();
            if (!sourceEnded)
                return 0;
        }
        windowLength += static_cast<unsigned long>(got);
        // Everything read lies before `first` (only at rates above the output's): let it go.
        if (first >= windowStart + windowLength && !sourceEnded) {
            windowStart += windowLength;
            windowLength = 0;
        }
    }
    return 0;
}

long RateConverter::read(int16_t* frames, unsigned long count)
{
    if (rate == outputRate)
        return decoder->read(frames, count);
    unsigned long done = 0;
    for (; done < count; ++done) {
        const uint64_t position = outputFrame * rate;
        const uint64_t i = position / outputRate;
        const int64_t fraction = static_cast<int64_t>(position % outputRate);
        if (long result = load(i, i + 1))
            return done ? static_cast<long>(done) : result;
        // Past the end, or the next source frame has not arrived yet.
        if (i >= windowStart + windowLength || (i + 1 >= windowStart + windowLength && !sourceEnded))
            break;
        const int16_t* first = window + (i - windowStart) * channels;
        const int16_t* second = i + 1 < windowStart + windowLength ? first + channels : first;
        for (unsigned c = 0; c < channels; ++c)
            frames[done * channels + c] =
                static_cast<int16_t>(first[c] + (second[c] - first[c]) * fraction / static_cast<int64_t>(outputRate));
        ++outputFrame;
    }
    return static_cast<long>(done);
}
