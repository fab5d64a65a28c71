#ifndef PARVOLIN_SOUND_H
#define PARVOLIN_SOUND_H

/// \file
/// Sound, a sound decoded into memory.
/// \ingroup audio

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

class File;

/// \addtogroup audio
/// @{

/// A sound decoded into memory, ready to be played by the mixer (Audio::play) as often
/// and as many times at once as wanted. Formats: RIFF WAVE with 8-bit unsigned or 16-bit
/// signed PCM, mono or stereo, 8,000 to 48,000 Hz, or IMA ADPCM; Ogg Vorbis. A sound is
/// converted as it loads to the mixer's 16 bits at 44,100 Hz, keeping its channels (rates
/// other than 44,100 Hz by linear interpolation; at 44,100 Hz the samples stay as they are).
///
/// Every load returns 0 or a result code and, when it fails, leaves the sound as it was:
/// ResultCode::NullParameter, UnsupportedCompression (not one of the formats above),
/// DecompressError (damaged or truncated data, a header that does not match the file),
/// FileEmpty (no bytes, or no samples), OutOfMemory, and for the path and File forms the
/// codes of resolving (CannotResolveFile, ...) or FileOpenError; for a resource,
/// FileDoesNotExist when the module has no such resource. A sound that is loaded again
/// or freed while the mixer plays it stops playing first.
class PARVOLIN_API Sound {
public:
    /// Nothing loaded.
    Sound();
    /// Releases the samples (the mixer stops playing them).
    virtual ~Sound();
    Sound(const Sound&) = delete;             ///< Not copyable.
    Sound& operator=(const Sound&) = delete;  ///< Not copyable.

    /// A path resolved by a FileSystemManager (so "zip:" works; relative paths are the
    /// program's folder).
    virtual long load(const wchar_t* path);
    /// A File, opened for reading here if it is not open; it stays the caller's.
    virtual long load(File* file);
    /// A resource of a module (null: the program), type "WAVE" unless another is named
    /// (a text, compared without case, or "#n" for the number n).
    virtual long load(HINSTANCE module, unsigned long resourceId, const wchar_t* resourceType = L"WAVE");
    /// A caller's bytes: copied as decoded, so they may go afterwards.
    virtual long load(const unsigned char* data, unsigned long size);
    /// Releases the samples: 0.
    virtual long free();

    /// Frames (samples of each channel) at 44,100 Hz; 0 when nothing is loaded.
    unsigned long getLength() const { return frames; }
    /// The length in milliseconds, rounded down.
    unsigned long getLengthMs() const;
    /// 1 or 2; 0 when nothing is loaded.
    unsigned long getChannels() const { return channels; }
    /// The samples, interleaved when stereo; null when nothing is loaded. Owned by the sound.
    const short* getSamples() const { return samples; }

private:
    // Takes the decoded samples in place of the old ones.
    void replace(short* newSamples, unsigned long newFrames, unsigned long newChannels);

    short* samples;
    unsigned long frames;
    unsigned long channels;
};

/// @}

#endif
