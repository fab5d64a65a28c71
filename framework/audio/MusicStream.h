#ifndef PARVOLIN_MUSIC_STREAM_H
#define PARVOLIN_MUSIC_STREAM_H

#include "audio/DecodedStream.h"
#include "audio/SoundDecoder.h"
#include "audio/SoundInput.h"

#include <memory>

class File;

// Music: a decoder over an open File, streamed.
class MusicStream : public DecodedStream {
public:
    explicit MusicStream(File* file) : input(file) {}
    // Reads the headers: 0 or Sound::load's codes.
    long open();

private:
    FileInput input;
    std::unique_ptr<SoundDecoder> decoder;
};

#endif
