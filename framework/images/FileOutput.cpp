#include "images/ImageOutput.h"

#include "core/ResultCodes.h"
#include "files/File.h"

#include <cwchar>
#include <new>

FileOutput::FileOutput(File* file) : file(file), beside(nullptr) {}

FileOutput::~FileOutput() { delete beside; }

bool FileOutput::open()
{
    if (file->isOpen())
        return true;
    // An existing local file is replaced whole or not at all; a missing one (whose folders
    // the File creates) has nothing to lose.
    const wchar_t* scheme = file->getScheme();
    if (scheme && std::wcscmp(scheme, L"file") == 0 && file->exists() && file->isFile()) {
        beside = new (std::nothrow) PathOutput(file->getPath());
        return beside && beside->open();
    }
    return file->open(FileMode::Write | FileMode::Truncate | FileMode::Create) == ResultCode::Ok;
}

bool FileOutput::write(const void* bytes, size_t count)
{
    if (beside)
        return beside->write(bytes, count);
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

void FileOutput::close()
{
    if (beside)
        beside->close();
    else
        file->close();
}

bool FileOutput::commit(bool whole) { return beside ? beside->commit(whole) : whole; }
