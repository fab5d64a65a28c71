#ifndef PARVOLIN_SOUND_INPUT_H
#define PARVOLIN_SOUND_INPUT_H

#include <cstdint>

class File;

// The bytes of a sound file, wherever they are: the decoders read through this.
class SoundInput {
public:
    virtual ~SoundInput();
    // Bytes read, 0 at the end, -1 on an error.
    virtual long read(void* buffer, unsigned long count) = 0;
    virtual bool seek(uint64_t position) = 0;
    virtual uint64_t tell() = 0;
    virtual uint64_t size() = 0;
};

// A caller's bytes, not copied: they must outlive the reading.
class MemoryInput : public SoundInput {
public:
    MemoryInput(const unsigned char* data, uint64_t size) : data(data), length(size) {}
    long read(void* buffer, unsigned long count) override;
    bool seek(uint64_t position) override;
    uint64_t tell() override { return position; }
    uint64_t size() override { return length; }

private:
    const unsigned char* data;
    uint64_t length;
    uint64_t position = 0;
};

// An open File, borrowed.
class FileInput : public SoundInput {
public:
    explicit FileInput(File* file) : file(file) {}
    long read(void* buffer, unsigned long count) override;
    bool seek(uint64_t position) override;
    uint64_t tell() override;
    uint64_t size() override;

private:
    File* file;
};

#endif
