#ifndef PARVOLIN_SOUND_STREAM_H
#define PARVOLIN_SOUND_STREAM_H

#include <cstdint>

// Sound the mixer pulls as it plays, at 44,100 Hz: music from a file, a video's sound
// track. The mixer calls it while it fills the device's buffers.
class SoundStream {
public:
    virtual ~SoundStream();
    // 1 or 2.
    virtual unsigned channels() const = 0;
    // Up to `count` frames: fewer, even none, when no more are there yet (the mixer plays
    // silence for them and counts them as missing) or at the end.
    virtual unsigned long read(int16_t* frames, unsigned long count) = 0;
    // Nothing more will come.
    virtual bool ended() const = 0;
    // Back to the start for another loop; false when it cannot go back.
    virtual bool rewind() = 0;
};

#endif
