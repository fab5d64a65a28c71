#ifndef PARVOLIN_WAVE_DECODER_H
#define PARVOLIN_WAVE_DECODER_H

#include "audio/SoundDecoder.h"

#include <cstddef>

// RIFF WAVE files: PCM of 8 bits (unsigned) or 16 bits (signed), and IMA ADPCM, mono or
// stereo, 8,000 to 48,000 Hz. Every size the header states is checked against the file:
// a chunk or block that reaches past the end, or a byte rate that does not match the
// format, is refused rather than believed.
class WaveDecoder : public SoundDecoder {
public:
    static constexpr uint16_t pcmTag = 1;
    static constexpr uint16_t imaAdpcmTag = 0x11;

    ~WaveDecoder() override;
    long open(SoundInput* input) override;
    unsigned channels() const override { return channelCount; }
    uint32_t rate() const override { return sampleRate; }
    long read(int16_t* frames, unsigned long count) override;
    long rewind() override;

    // One IMA ADPCM block of `bytes` bytes into `frames` (room for `blockFrames`): the
    // frames decoded, or -1 for a damaged block header.
    static long decodeImaBlock(const unsigned char* block, size_t bytes, unsigned channels, unsigned blockFrames,
                               int16_t* frames);

private:
    long readFormat(uint32_t chunkSize);
    long readPcm(int16_t* frames, unsigned long count);
    long readAdpcm(int16_t* frames, unsigned long count);

    SoundInput* input = nullptr;
    uint16_t tag = 0;
    unsigned channelCount = 0;
    uint32_t sampleRate = 0;
    unsigned bitsPerSample = 0;
    unsigned blockAlign = 0;
    unsigned blockFrames = 0;       // IMA ADPCM frames per block
    uint64_t dataStart = 0;
    uint64_t dataBytes = 0;
    uint64_t totalFrames = 0;
    uint64_t framesRead = 0;
    // IMA ADPCM: the current block decoded, and how far it has been handed out.
    unsigned char* block = nullptr;
    int16_t* blockSamples = nullptr;
    unsigned long blockAvailable = 0;
    unsigned long blockPosition = 0;
};

#endif
