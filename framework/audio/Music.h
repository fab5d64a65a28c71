#ifndef PARVOLIN_MUSIC_H
#define PARVOLIN_MUSIC_H

#include <Parvolin/Export.h>

class File;
class FileSystemManager;
class MusicStream;

// A long piece played by the mixer (Audio::playMusic) as it is read: Ogg Vorbis or RIFF
// WAVE (the formats of Sound), decoded a little at a time, never whole.
class PARVOLIN_API Music {
public:
    Music();
    // Closes the music (the mixer stops playing it).
    virtual ~Music();
    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

    // Closes what is open, then opens the file at `path` (resolved by a
    // FileSystemManager): 0, or the codes of Sound::load.
    virtual long open(const wchar_t* path);
    // The same over a File, opened for reading here when it is not open (and closed again
    // by close); it stays the caller's and must outlive the playing.
    virtual long open(File* file);
    // 0; ResultCode::FileNotInitialized when nothing is open.
    virtual long close();
    virtual bool isOpen() const;

private:
    friend class Audio;
    MusicStream* stream;
    File* ownedFile;
    File* openedHere;
    FileSystemManager* fileSystems;
};

#endif
