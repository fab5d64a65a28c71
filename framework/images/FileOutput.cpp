#include "images/ImageOutput.h"

#include "core/ResultCodes.h"
#include "files/File.h"

bool FileOutput::open()
{
    if (file->isOpen())
        return true;
    return file->open(FileMode::Write | FileMode::Truncate | FileMode::Create) == ResultCode::Ok;
}

bool FileOutput::write(const void* bytes, size_t count)
{
    const unsigned char* next = static_cast<const unsigned char*>(bytes);
    while (count > 0) {
        const unsigned long part = count > 0x40000000u ? 0x40000000ul : static_cast<unsigned long>(count);
        if (file->write(next, part) != static_cast<long>(part))
            return false;
        next += part;
        count -= part;
    }
    return true;
}

void FileOutput::close() { file->close(); }
