#include "files/FileInternal.h"

FileInternal::~FileInternal() = default;

long FileInternal::deleteAny() { return isFolder() ? deleteFolder() : deleteFile(); }

// A child is the path resolved from here.
FileInternal* FileInternal::getChild(const wchar_t* name) { return resolveFile(name); }
