#ifndef PARVOLIN_IMAGE_OUTPUT_H
#define PARVOLIN_IMAGE_OUTPUT_H

#include "platform/base/PlatformTypes.h"

#include <cstddef>

class File;

// Where an image writer puts its bytes: a file created at a path, or a File.
class ImageOutput {
public:
    virtual ~ImageOutput();
    // Creates or opens the output; false when it cannot be written.
    virtual bool open() = 0;
    // False unless every byte was written.
    virtual bool write(const void* bytes, size_t count) = 0;
    virtual void close() = 0;
};

// A file at a path taken as given (not made absolute), always created anew and not shared.
class PathOutput : public ImageOutput {
public:
    explicit PathOutput(const wchar_t* path);
    ~PathOutput() override;
    bool open() override;
    bool write(const void* bytes, size_t count) override;
    void close() override;

private:
    const wchar_t* path;
    HANDLE handle;
};

// A File: opened for writing when it is not open (created when missing, emptied when
// there, so that a smaller image leaves no stale bytes behind), closed at the end.
class FileOutput : public ImageOutput {
public:
    explicit FileOutput(File* file) : file(file) {}
    bool open() override;
    bool write(const void* bytes, size_t count) override;
    void close() override;

private:
    File* file;
};

#endif
