#ifndef PARVOLIN_VORBIS_DECODER_H
#define PARVOLIN_VORBIS_DECODER_H

#include "audio/SoundDecoder.h"

#include <vorbis/vorbisfile.h>

// Ogg Vorbis files through libvorbisfile, read through the SoundInput. Mono or stereo at
// 8,000 to 48,000 Hz; a chained file whose later part changes the channels or the rate
// ends where the change comes.
class VorbisDecoder : public SoundDecoder {
public:
    VorbisDecoder();
    ~VorbisDecoder() override;
    long open(SoundInput* input) override;
    unsigned channels() const override { return channelCount; }
    uint32_t rate() const override { return sampleRate; }
    long read(int16_t* frames, unsigned long count) override;
    long rewind() override;

private:
    bool startsWithOtherStream();

    OggVorbis_File file;
    bool isOpen = false;
    bool seekable = false;
    SoundInput* input = nullptr;
    unsigned channelCount = 0;
    uint32_t sampleRate = 0;
    bool ended = false;
};

#endif
