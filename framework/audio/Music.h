#ifndef PARVOLIN_MUSIC_H
#define PARVOLIN_MUSIC_H

/// \file
/// Music, a long piece streamed as it plays.
/// \ingroup audio

#include <Parvolin/Export.h>

class File;
class FileSystemManager;
class MusicStream;

/// \addtogroup audio
/// @{

/// A long piece played by the mixer (Audio::playMusic) as it is read: Ogg Vorbis or RIFF
/// WAVE (the formats of Sound), decoded a little at a time, never whole.
class PARVOLIN_API Music {
public:
    /// Nothing open.
    Music();
    /// Closes the music (the mixer stops playing it).
    virtual ~Music();
    Music(const Music&) = delete;             ///< Not copyable.
    Music& operator=(const Music&) = delete;  ///< Not copyable.

    /// Closes what is open, then opens the file at `path` (resolved by a
    /// FileSystemManager, so "zip:" paths work; relative paths are the program's folder):
    /// 0, or the codes of Sound::load.
    virtual long open(const wchar_t* path);
    /// The same over a File, opened for reading here when it is not open (and closed again
    /// by close); it stays the caller's and must outlive the playing.
    virtual long open(File* file);
    /// Closes the music; the mixer stops playing it. 0; ResultCode::FileNotInitialized
    /// when nothing is open.
    virtual long close();
    /// Whether a music is open.
    virtual bool isOpen() const;

private:
    friend class Audio;
    MusicStream* stream;
    File* ownedFile;
    File* openedHere;
    FileSystemManager* fileSystems;
};

/// @}

#endif
