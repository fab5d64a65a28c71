#ifndef PARVOLIN_VIDEO_SOUND_TRACK_H
#define PARVOLIN_VIDEO_SOUND_TRACK_H

#include "audio/DecodedStream.h"
#include "audio/SoundDecoder.h"

#include <ogg/ogg.h>
#include <vorbis/codec.h>

// The Vorbis stream of a video's Ogg file, decoded as the mixer pulls it. Its packets come
// from the video source's demultiplexing: when none is waiting, it asks the source to read
// more of the file (through `refill`), so sound and pictures share one pass over the file.
class VideoSoundTrack : public SoundDecoder {
public:
    // Reads more of the file into the streams: 1 when it did, 0 when it cannot now (the
    // source is busy), -1 at the file's end.
    typedef int (*Refill)(void* owner);

    VideoSoundTrack();
    ~VideoSoundTrack() override;

    // The first packet of a beginning-of-stream page: whether it starts a Vorbis stream,
    // which this track then takes (serial number and all).
    bool takeFirstPacket(ogg_stream_state& probe, ogg_packet& packet);
    bool found() const { return streamFound; }
    // All three headers have come, or a damaged one ended the wait for them.
    bool headersSettled() const { return headers == 3 || headers < 0; }
    // A page of the file: taken when it is this stream's. Without a listener (no mixer
    // plays the track) its sound packets are let go at once, so nothing piles up.
    void pageIn(ogg_page& page, bool listened);
    // The three headers have come and decoding can start.
    bool ready();
    void setRefill(Refill refill, void* owner);
    void clear();

    long open(SoundInput*) override { return 0; }
    unsigned channels() const override { return static_cast<unsigned>(info.channels); }
    uint32_t rate() const override { return static_cast<uint32_t>(info.rate); }
    long read(int16_t* frames, unsigned long count) override;
    long rewind() override;
    bool exhausted() const override { return fileEnded; }

    DecodedStream stream;

private:
    bool takeHeaders();

    bool streamFound = false;
    int headers = 0;
    bool decoding = false;
    bool fileEnded = false;
    ogg_stream_state oggStream;
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    Refill refill = nullptr;
    void* owner = nullptr;
};

#endif
