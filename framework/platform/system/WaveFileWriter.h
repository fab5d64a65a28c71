#ifndef PARVOLIN_WAVE_FILE_WRITER_H
#define PARVOLIN_WAVE_FILE_WRITER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A RIFF WAVE file of 16-bit stereo PCM at 44,100 Hz, little-endian, written as it grows.
// Each time frames reach the file its header is rewritten with the sizes of what the file
// holds, so the file is whole at any moment: when the program ends by exit, by a signal
// it handles, or even by one it does not (then without the last unwritten frames).
class WaveFileWriter {
public:
    static constexpr size_t headerBytes = 44;

    WaveFileWriter() = default;
    ~WaveFileWriter();
    WaveFileWriter(const WaveFileWriter&) = delete;
    WaveFileWriter& operator=(const WaveFileWriter&) = delete;

    // A new file at a host path; false with `why` when it cannot be written.
    bool open(const std::string& path, std::string& why);
    // Frames are kept until about 0.1 s has gathered, then written.
    void write(const int16_t* frames, size_t count);
    // Writes what is kept and the header's sizes.
    void flush();
    void close();
    bool isOpen() const { return file >= 0; }

private:
    bool writeAll(const unsigned char* bytes, size_t count);
    void writeSizes();

    int file = -1;
    uint32_t dataBytes = 0;
    std::vector<unsigned char> pending;
};

#endif
