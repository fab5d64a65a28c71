#ifndef PARVOLIN_OGG_THEORA_VIDEO_SOURCE_H
#define PARVOLIN_OGG_THEORA_VIDEO_SOURCE_H

#include "video/VideoSource.h"
#include "video/VideoSoundTrack.h"

#include <ogg/ogg.h>
#include <theora/theora.h>

// Theora video in an Ogg file, through libogg's framing and libtheora's legacy decoding
// calls. The file is read in 4096-byte pieces, and only when no packet is waiting, so the
// memory held stays near one page and one frame whatever the file's length.
class OggTheoraVideoSource : public VideoSource {
public:
    // Frames (the coded size, picture and border) above this many pixels are refused: a
    // hostile header could otherwise ask the decoder for gigabytes.
    static constexpr uint64_t maxFramePixels = 2048ull * 2048ull;
    static constexpr unsigned long readSize = 4096;

    OggTheoraVideoSource();
    ~OggTheoraVideoSource() override;

    long open(File* file) override;
    long close() override;
    long getNextFrame(Surface* target) override;
    long skipNextFrame() override;
    bool attachAudio(Audio* audio) override;
    void detachAudio() override;

private:
    // Steps of open; each false or non-zero result ends it with 9.
    void findTheoraStream();
    bool readRemainingHeaders();
    bool startDecoder();
    void readSoundHeaders();
    static constexpr int soundHeaderReads = 16;
    long failOpen();

    // One frame: decoded and, with a target, converted.
    long produceFrame(Surface* target);
    // Reads and decodes until one more frame is decoded (or the end).
    long produceWholeFrame(Surface* target);
    // With the sound's clock: the frame due now, late ones dropped, none while early.
    long frameAtSoundClock(Surface* target);
    // The output frame (44,100 Hz) at which video frame `frame` is due.
    uint64_t dueAt(uint64_t frame) const;
    static int refillForTrack(void* source);
    long convertPicture(Surface* target);

    // Up to readSize bytes from the file into the sync state; the count, 0 at the end.
    long readData();
    // The next complete page of the sync state into `page`.
    bool takePage();
    // Every complete page of the sync state into its stream: Theora, Vorbis (while sound
    // plays or its headers are still to come), or none.
    void addPagesToStream();
    void routePage();
    // The next packet of the Theora stream into `packet`, passing over holes in the data.
    bool takePacket();

    bool isOpen;
    File* file;
    ogg_sync_state sync;
    ogg_page page;
    ogg_stream_state probe;
    ogg_stream_state stream;
    theora_info info;
    theora_comment comment;
    theora_state decoder;
    ogg_packet packet;
    // Theora header packets consumed (0 to 3); 0: no Theora stream was found.
    int headerPackets;
    bool headersDone;
    bool decoderReady;
    // A picture has been decoded, so the decoder's output buffer holds one.
    bool frameReady;
    // The sound track, and while it plays: the mixer, its channel, and the output frame
    // of the sound's clock at which it started.
    VideoSoundTrack track;
    Audio* audio = nullptr;
    long channel = -1;
    uint64_t soundBase = 0;
    bool busy = false;
};

#endif
