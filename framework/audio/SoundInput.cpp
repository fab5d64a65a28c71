#include "audio/SoundInput.h"

#include "core/ResultCodes.h"
#include "files/File.h"

#include <cstring>

SoundInput::~SoundInput() {}

long MemoryInput::read(void* buffer, unsigned long count)
{
    if (!buffer)
        return -1;
    uint64_t left = length - position;
    if (count > left)
        count = static_cast<unsigned long>(left);
    if (count)
        std::memcpy(buffer, data + position, count);
    position += count;
    return static_cast<long>(count);
}

bool MemoryInput::seek(uint64_t to)
{
    if (to > length)
        return false;
    position = to;
    return true;
}

long FileInput::read(void* buffer, unsigned long count) { return file->read(buffer, count); }

bool FileInput::seek(uint64_t to)
{
    // File positions are signed 32-bit.
    return to <= 0x7FFFFFFF && file->seek(static_cast<long>(to)) == ResultCode::Ok;
}

uint64_t FileInput::tell()
{
    long at = file->tell();
    return at < 0 ? 0 : static_cast<uint64_t>(at);
}

uint64_t FileInput::size() { return file->getSize(); }
