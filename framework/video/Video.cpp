#include "video/Video.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "video/OggTheoraVideoSource.h"

#include <new>

Video::Video() : source(nullptr), file(nullptr), fileSystems(nullptr), audio(nullptr) {}

Video::~Video()
{
    close();
    releaseOwnedFile();
}

long Video::open(const wchar_t* path)
{
    close();
    releaseOwnedFile();
    if (!path)
        return ResultCode::NullParameter;
    fileSystems = new (std::nothrow) FileSystemManager();
    file = new (std::nothrow) File();
    if (!fileSystems || !file) {
        releaseOwnedFile();
        return ResultCode::OutOfMemory;
    }
    if (fileSystems->resolveFile(file, path) != ResultCode::Ok || file->open(FileMode::Read) != ResultCode::Ok) {
        releaseOwnedFile();
        return ResultCode::VideoOpenError;
    }
    long result = openSource(file);
    // A path that named no video leaves nothing behind.
    if (!source)
        releaseOwnedFile();
    return result;
}

long Video::open(File* newFile)
{
    if (!newFile)
        return ResultCode::NullParameter;
    // Whatever was open before is let go, so that neither its source nor its file leaks.
    close();
    releaseOwnedFile();
    return openSource(newFile);
}

long Video::openSource(File* newFile)
{
    newFile->open(FileMode::Read);
    source = getVideoSource(newFile);
    if (!source) {
        newFile->close();
        return ResultCode::VideoOpenError;
    }
    long result = source->open(newFile);
    if (result == ResultCode::Ok && audio)
        source->attachAudio(audio);
    return result;
}

long Video::setAudio(Audio* newAudio)
{
    audio = newAudio;
    if (source) {
        source->detachAudio();
        if (audio)
            source->attachAudio(audio);
    }
    return ResultCode::Ok;
}

long Video::close()
{
    if (!source)
        return ResultCode::VideoNotInitialized;
    long result = source->close();
    delete source;
    source = nullptr;
    releaseOwnedFile();
    return result;
}

void Video::releaseOwnedFile()
{
    delete file;
    file = nullptr;
    delete fileSystems;
    fileSystems = nullptr;
}

long Video::getNextFrame(Surface* target)
{
    return source ? source->getNextFrame(target) : ResultCode::VideoNotInitialized;
}

long Video::skipNextFrame() { return source ? source->skipNextFrame() : ResultCode::VideoNotInitialized; }

VideoSource* Video::getVideoSource(File* candidate)
{
    unsigned char start[4];
    if (candidate->read(start, 4) < 4)
        return nullptr;
    candidate->seek(0);
    if (start[0] != 'O' || start[1] != 'g' || start[2] != 'g')
        return nullptr;
    return new (std::nothrow) OggTheoraVideoSource();
}
