#include "audio/Sound.h"

#include "audio/AudioMixer.h"
#include "audio/SoundInput.h"
#include "audio/SoundLoading.h"
#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "platform/system/Resources.h"

namespace {
// Resource numbers are 16 bits wide; a larger one would name another resource.
constexpr unsigned long largestId = 0xFFFF;
} // namespace

Sound::Sound() : samples(nullptr), frames(0), channels(0) {}

Sound::~Sound() { free(); }

long Sound::load(const wchar_t* path)
{
    if (!path)
        return ResultCode::NullParameter;
    FileSystemManager manager;
    File file;
    if (long result = SoundLoading::openPath(manager, file, path))
        return result;
    long result = load(&file);
    file.close();
    return result;
}

long Sound::load(File* file)
{
    if (!file)
        return ResultCode::NullParameter;
    const bool wasOpen = file->isOpen();
    if (!wasOpen && file->open(FileMode::Read) != ResultCode::Ok)
        return ResultCode::FileOpenError;
    FileInput input(file);
    short* decoded = nullptr;
    unsigned long decodedFrames = 0;
    unsigned long decodedChannels = 0;
    long result = SoundLoading::decodeWhole(input, decoded, decodedFrames, decodedChannels);
    if (!wasOpen)
        file->close();
    if (result == ResultCode::Ok)
        replace(decoded, decodedFrames, decodedChannels);
    return result;
}

long Sound::load(HINSTANCE module, unsigned long resourceId, const wchar_t* resourceType)
{
    if (!resourceType)
        return ResultCode::NullParameter;
    HRSRC resource = resourceId <= largestId
                         ? FindResourceW(module, MAKEINTRESOURCEW(static_cast<unsigned>(resourceId)), resourceType)
                         : nullptr;
    const void* data = resource ? LockResource(LoadResource(module, resource)) : nullptr;
    if (!data)
        return ResultCode::FileDoesNotExist;
    return load(static_cast<const unsigned char*>(data), SizeofResource(module, resource));
}

long Sound::load(const unsigned char* data, unsigned long size)
{
    if (!data)
        return ResultCode::NullParameter;
    MemoryInput input(data, size);
    short* decoded = nullptr;
    unsigned long decodedFrames = 0;
    unsigned long decodedChannels = 0;
    long result = SoundLoading::decodeWhole(input, decoded, decodedFrames, decodedChannels);
    if (result == ResultCode::Ok)
        replace(decoded, decodedFrames, decodedChannels);
    return result;
}

long Sound::free()
{
    replace(nullptr, 0, 0);
    return ResultCode::Ok;
}

unsigned long Sound::getLengthMs() const
{
    return static_cast<unsigned long>(static_cast<unsigned long long>(frames) * 1000 / 44100);
}

void Sound::replace(short* newSamples, unsigned long newFrames, unsigned long newChannels)
{
    // The mixer must not read the old samples any more.
    AudioMixer::forget(this);
    delete[] samples;
    samples = newSamples;
    frames = newFrames;
    channels = newChannels;
}
