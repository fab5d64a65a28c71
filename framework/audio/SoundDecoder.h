#ifndef PARVOLIN_SOUND_DECODER_H
#define PARVOLIN_SOUND_DECODER_H

#include <cstdint>

class SoundInput;

// Reads one sound file format from a SoundInput as 16-bit samples (interleaved when
// stereo) at the file's own rate, a piece at a time: sounds decode it whole, music as it
// plays.
class SoundDecoder {
public:
    static constexpr uint32_t lowestRate = 8000;
    static constexpr uint32_t highestRate = 48000;

    virtual ~SoundDecoder();
    // Reads the headers: 0, or ResultCode::UnsupportedCompression (a format that is not
    // read), DecompressError (a damaged, truncated or lying header), OutOfMemory.
    virtual long open(SoundInput* input) = 0;
    virtual unsigned channels() const = 0;
    virtual uint32_t rate() const = 0;
    // Up to `count` frames into `frames`: the number read, 0 at the end, or minus a
    // result code (-DecompressError for damaged data, -FileOpenError for a failed read).
    virtual long read(int16_t* frames, unsigned long count) = 0;
    // Back to the first frame: 0 or a code.
    virtual long rewind() = 0;
    // Whether a read of 0 frames means the end. A file's decoder is at its end then; a
    // track that arrives as a video plays may just have nothing yet.
    virtual bool exhausted() const { return true; }

    // The decoder for the input's first bytes (the input is back at its start): RIFF WAVE
    // or Ogg Vorbis. Null with `result` set for anything else (UnsupportedCompression),
    // an empty input (FileEmpty), no memory (OutOfMemory), or a failed open.
    static SoundDecoder* open(SoundInput* input, long& result);
};

#endif
