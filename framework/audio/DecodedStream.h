#ifndef PARVOLIN_DECODED_STREAM_H
#define PARVOLIN_DECODED_STREAM_H

#include "audio/RateConverter.h"
#include "audio/SoundStream.h"

class SoundDecoder;

// A decoder's frames as the mixer pulls them, converted to 44,100 Hz a piece at a time:
// music from a file, a video's sound track. A decoding error ends it.
class DecodedStream : public SoundStream {
public:
    // The decoder stays the caller's; null: the stream gives nothing and has ended.
    void start(SoundDecoder* decoder);

    unsigned channels() const override { return channelCount; }
    unsigned long read(int16_t* frames, unsigned long count) override;
    bool ended() const override { return atEnd; }
    bool rewind() override;

private:
    SoundDecoder* decoder = nullptr;
    RateConverter converter;
    unsigned channelCount = 1;
    bool atEnd = true;
};

#endif
