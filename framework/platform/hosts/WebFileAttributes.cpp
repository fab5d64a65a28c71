// The browser's file system keeps no extended attributes, and Emscripten's C library
// declares the calls without making them: here they say so, as a Linux file system without
// them does, and the hidden and system attributes are let go (see HostFiles.h).
#include <cerrno>
#include <sys/xattr.h>

extern "C" ssize_t getxattr(const char*, const char*, void*, size_t)
{
    errno = ENOTSUP;
    return -1;
}

extern "C" int setxattr(const char*, const char*, const void*, size_t, int)
{
    errno = ENOTSUP;
    return -1;
}
