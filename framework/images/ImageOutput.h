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
    // After close: whether what was written is kept. An output that replaces a file does
    // it here, so a write that failed part-way leaves the old file whole.
    virtual bool commit(bool whole);
};

// A file at a path taken as given (not made absolute), always created anew and not shared.
// The bytes go to a new file beside it ("<path>.new"), renamed over the path only when
// every one was written: a full disk or a refusing file system leaves the old file whole.
class PathOutput : public ImageOutput {
public:
    explicit PathOutput(const wchar_t* path);
    ~PathOutput() override;
    bool open() override;
    bool write(const void* bytes, size_t count) override;
    void close() override;
    bool commit(bool whole) override;

private:
    const wchar_t* path;
    wchar_t* temporaryPath;
    HANDLE handle;
};

// A File: opened for writing when it is not open (created when missing, emptied when
// there, so that a smaller image leaves no stale bytes behind), closed at the end. A local
// file that is not open is written as PathOutput writes, beside it first.
class FileOutput : public ImageOutput {
public:
    explicit FileOutput(File* file);
    ~FileOutput() override;
    bool open() override;
    bool write(const void* bytes, size_t count) override;
    void close() override;
    bool commit(bool whole) override;

private:
    File* file;
    PathOutput* beside;
};

#endif
