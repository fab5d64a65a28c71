#ifndef PARVOLIN_VIDEO_SOURCE_H
#define PARVOLIN_VIDEO_SOURCE_H

#include <cstdint>

class Audio;
class File;
class Surface;

// A decoder behind Video: reads one container format from a File and produces frames on
// demand. The playing-time counters are the same for every format, so they live here.
class VideoSource {
public:
    VideoSource();
    virtual ~VideoSource();
    VideoSource(const VideoSource&) = delete;
    VideoSource& operator=(const VideoSource&) = delete;

    // Reads the stream headers and prepares decoding; the file stays the caller's.
    virtual long open(File* file) = 0;
    // Releases the decoder and closes the file; 0 when nothing is open.
    virtual long close() = 0;
    // Decodes one frame into `target` (sized to the picture plus the extra rows), or reads
    // more data and leaves the target as it was; 11 at the end of the video.
    virtual long getNextFrame(Surface* target) = 0;
    // The same without converting the picture.
    virtual long skipNextFrame() = 0;
    // Plays the video's own sound through `audio` and shows frames at its clock; false
    // when the video has no sound it can play (the frames then come one per call).
    virtual bool attachAudio(Audio*) { return false; }
    virtual void detachAudio() {}

    // Rows added below the picture when the target is sized; they are never written.
    void setExtraHeight(uint32_t rows) { extraHeight = rows; }
    uint32_t getExtraHeight() const { return extraHeight; }
    uint32_t getFramesDecoded() const { return framesDecoded; }
    // framesDecoded x frameMs, in 32-bit arithmetic.
    uint32_t getTimeMs() const { return timeMs; }
    uint32_t getFrameMs() const { return frameMs; }

protected:
    // Counts one decoded frame.
    void advanceTime()
    {
        ++framesDecoded;
        timeMs += frameMs;
    }

    uint32_t extraHeight;
    uint32_t framesDecoded;
    uint32_t timeMs;
    uint32_t frameMs;
};

#endif
