#ifndef PARVOLIN_VIDEO_H
#define PARVOLIN_VIDEO_H

/// \file
/// Video, a Theora video played one frame per call.
/// \ingroup video

#include <Parvolin/Export.h>

class Audio;
class File;
class FileSystemManager;
class Surface;
class VideoSource;

/// \addtogroup video
/// @{

/// A video played one frame per call into a Surface: the caller's frame rate is the
/// playing rate. Theora in Ogg files is the format read.
class PARVOLIN_API Video {
public:
    /// Nothing open.
    Video();
    /// Closes the video when it is open.
    virtual ~Video();
    Video(const Video&) = delete;             ///< Not copyable.
    Video& operator=(const Video&) = delete;  ///< Not copyable.

    /// Closes what is open, then opens the file at `path` (resolved by a FileSystemManager,
    /// so "zip:" paths work; relative paths are the program's folder):
    /// ResultCode::NullParameter for no path, OutOfMemory, VideoOpenError when the file
    /// cannot be found, opened or read as a video.
    long open(const wchar_t* path);
    /// Closes what is open, opens `file` for reading and reads the stream headers:
    /// ResultCode::NullParameter, VideoOpenError.
    /// The File stays the caller's and must outlive the playing.
    long open(File* file);
    /// Closes the video. ResultCode::VideoNotInitialized when nothing is open.
    long close();
    /// One frame into `target`, sized to the picture (Surface::create): 0 (a data read may
    /// leave the target as it was; the next call shows the frame), ResultCode::EndOfVideo
    /// after the last frame, NullParameter, VideoNotInitialized.
    long getNextFrame(Surface* target);
    /// One frame decoded but not shown: 0, ResultCode::EndOfVideo, VideoNotInitialized.
    long skipNextFrame();
    /// Plays the video's own sound (a Vorbis stream beside the Theora one) through `audio`,
    /// before or after open, and from then on getNextFrame shows the frame due at the
    /// sound's clock: late frames are decoded and dropped, and while the next frame is
    /// early the call returns 0 and leaves the target as it was. Null, a video without
    /// sound, or a mixer that is not open: frames come one per call, as without sound. The
    /// mixer is borrowed and must outlive the playing. 0.
    long setAudio(Audio* audio);

protected:
    /// The source that reads `file`, judged by its first bytes; null for none. The file is
    /// back at its start afterwards.
    VideoSource* getVideoSource(File* file);

    /// The open video's reader, or null.
    VideoSource* source;

private:
    long openSource(File* file);
    void releaseOwnedFile();

    // The file the path form opened, and the manager that resolved it (its files must not
    // outlive it).
    File* file;
    FileSystemManager* fileSystems;
    Audio* audio;
};

/// @}

#endif
