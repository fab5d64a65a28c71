#include "files/FileInternal.h"

FileInternal::~FileInternal() = default;

long FileInternal::deleteAny() { return isFolder() ? deleteFolder() : deleteFile(); }

// A child is the path resolved from here.
FileInternal* FileInternal::getChild(const wchar_t* name) { return resolveFile(name); }

FileInternal* FileInternal::noChild(unsigned char* error, long code)
{
    if (error)
        *error = static_cast<unsigned char>(code);
    return nullptr;
}
