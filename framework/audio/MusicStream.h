#ifndef PARVOLIN_MUSIC_STREAM_H
#define PARVOLIN_MUSIC_STREAM_H

#include "audio/RateConverter.h"
#include "audio/SoundInput.h"
#include "audio/SoundStream.h"

#include <memory>

class File;
class SoundDecoder;

// Music as the mixer pulls it: a decoder over an open File, converted to 44,100 Hz a
// piece at a time. A decoding error ends it.
class MusicStream : public SoundStream {
public:
    explicit MusicStream(File* file);
    ~MusicStream() override;
    // Reads the headers: 0 or Sound::load's codes.
    long open();

    unsigned channels() const override { return channelCount; }
    unsigned long read(int16_t* frames, unsigned long count) override;
    bool ended() const override { return atEnd; }
    bool rewind() override;

private:
    FileInput input;
    std::unique_ptr<SoundDecoder> decoder;
    RateConverter converter;
    unsigned channelCount = 1;
    bool atEnd = false;
};

#endif
