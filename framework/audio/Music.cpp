#include "audio/Music.h"

#include "audio/MusicStream.h"
#include "audio/SoundLoading.h"
#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"

#include <new>

Music::Music() : stream(nullptr), ownedFile(nullptr), openedHere(nullptr), fileSystems(nullptr) {}

Music::~Music() { close(); }

long Music::open(const wchar_t* path)
{
    close();
    if (!path)
        return ResultCode::NullParameter;
    fileSystems = new (std::nothrow) FileSystemManager();
    ownedFile = new (std::nothrow) File();
    long result = fileSystems && ownedFile ? SoundLoading::openPath(*fileSystems, *ownedFile, path)
                                           : static_cast<long>(ResultCode::OutOfMemory);
    if (result == ResultCode::Ok)
        result = open(ownedFile);
    if (result != ResultCode::Ok)
        close();
    return result;
}

long Music::open(File* file)
{
    if (!file)
        return ResultCode::NullParameter;
    // The path form opened its file just before: that one stays.
    if (file != ownedFile)
        close();
    else {
        delete stream;
        stream = nullptr;
    }
    if (!file->isOpen()) {
        if (file->open(FileMode::Read) != ResultCode::Ok)
            return ResultCode::FileOpenError;
        openedHere = file;
    }
    stream = new (std::nothrow) MusicStream(file);
    long result = stream ? stream->open() : static_cast<long>(ResultCode::OutOfMemory);
    if (result != ResultCode::Ok) {
        delete stream;
        stream = nullptr;
        if (openedHere && openedHere != ownedFile)
            openedHere->close();
        openedHere = nullptr;
    }
    return result;
}

long Music::close()
{
    const bool wasOpen = stream != nullptr;
    // Its destructor takes it from the mixer.
    delete stream;
    stream = nullptr;
    if (openedHere)
        openedHere->close();
    openedHere = nullptr;
    if (ownedFile)
        ownedFile->close();
    delete ownedFile;
    ownedFile = nullptr;
    delete fileSystems;
    fileSystems = nullptr;
    return wasOpen ? ResultCode::Ok : ResultCode::FileNotInitialized;
}

bool Music::isOpen() const { return stream != nullptr; }
