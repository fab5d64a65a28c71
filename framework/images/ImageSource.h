#ifndef PARVOLIN_IMAGE_SOURCE_H
#define PARVOLIN_IMAGE_SOURCE_H

#include "platform/base/PlatformTypes.h"

class File;
class Surface;

// Where the image forms of Surface and SurfaceRGBA take an image from. Each brings the
// encoded bytes into memory, decodes them into the target (and, when given, the alpha
// target) and lets the bytes go again.
class ImageSource {
public:
    virtual ~ImageSource();
    virtual long decodeInto(Surface* target, Surface* alpha) = 0;
};

// A file at a path, made absolute from the program's folder and mapped read-only.
class PathImage : public ImageSource {
public:
    explicit PathImage(const wchar_t* path) : path(path) {}
    long decodeInto(Surface* target, Surface* alpha) override;

private:
    const wchar_t* path;
};

// The whole of a File, read into the heap; 15 for a null File.
class FileImage : public ImageSource {
public:
    explicit FileImage(File* file) : file(file) {}
    long decodeInto(Surface* target, Surface* alpha) override;

private:
    File* file;
};

// A caller's buffer, used in place.
class BufferImage : public ImageSource {
public:
    BufferImage(const unsigned char* data, unsigned long size) : data(data), size(size) {}
    long decodeInto(Surface* target, Surface* alpha) override;

private:
    const unsigned char* data;
    unsigned long size;
};

// A resource of a module (null: the running program). A bitmap resource, or one of a
// custom type the module lacks, is loaded as a platform bitmap; any other is decoded
// from its bytes.
class ResourceImage : public ImageSource {
public:
    ResourceImage(unsigned long id, const wchar_t* type, HINSTANCE module) : id(id), type(type), module(module) {}
    long decodeInto(Surface* target, Surface* alpha) override;

private:
    long loadPlatformBitmap(Surface* target);

    unsigned long id;
    const wchar_t* type;
    HINSTANCE module;
};

#endif
