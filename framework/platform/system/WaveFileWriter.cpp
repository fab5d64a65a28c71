#include "platform/system/WaveFileWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr size_t pendingLimit = 4096 * 4;
// The largest data chunk whose RIFF size still fits 32 bits.
constexpr uint32_t largestData = 0xFFFFFFFFu - 36u - 3u;

void put16(unsigned char* at, uint32_t value)
{
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

void put32(unsigned char* at, uint32_t value)
{
    put16(at, value);
    put16(at + 2, value >> 16);
}
} // namespace

WaveFileWriter::~WaveFileWriter() { close(); }

bool WaveFileWriter::open(const std::string& path, std::string& why)
{
    close();
    file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0) {
        why = std::string("the file cannot be written: ") + std::strerror(errno);
        return false;
    }
    unsigned char header[headerBytes];
    std::memcpy(header, "RIFF", 4);
    put32(header + 4, 36);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    put32(header + 16, 16);
    put16(header + 20, 1);                // PCM
    put16(header + 22, 2);                // stereo
    put32(header + 24, 44100);            // frames per second
    put32(header + 28, 44100 * 4);        // bytes per second
    put16(header + 32, 4);                // bytes per frame
    put16(header + 34, 16);               // bits per sample
    std::memcpy(header + 36, "data", 4);
    put32(header + 40, 0);
    dataBytes = 0;
    pending.clear();
    pending.reserve(pendingLimit);
    if (!writeAll(header, headerBytes)) {
        why = std::string("the file cannot be written: ") + std::strerror(errno);
        ::close(file);
        file = -1;
        return false;
    }
    return true;
}

void WaveFileWriter::write(const int16_t* frames, size_t count)
{
    if (file < 0)
        return;
    for (size_t i = 0; i < count * 2; ++i) {
        const uint16_t sample = static_cast<uint16_t>(frames[i]);
        pending.push_back(static_cast<unsigned char>(sample));
        pending.push_back(static_cast<unsigned char>(sample >> 8));
        if (pending.size() >= pendingLimit)
            flush();
    }
}

void WaveFileWriter::flush()
{
    if (file < 0 || pending.empty())
        return;
    size_t count = pending.size();
    if (count > largestData - dataBytes)
        count = (largestData - dataBytes) & ~size_t(3);
    if (count && writeAll(pending.data(), count)) {
        dataBytes += static_cast<uint32_t>(count);
        writeSizes();
    }
    pending.clear();
}

void WaveFileWriter::close()
{
    if (file < 0)
        return;
    flush();
    ::close(file);
    file = -1;
}

bool WaveFileWriter::writeAll(const unsigned char* bytes, size_t count)
{
    while (count) {
        ssize_t written = ::write(file, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

void WaveFileWriter::writeSizes()
{
    unsigned char size[4];
    put32(size, 36 + dataBytes);
    ssize_t done = pwrite(file, size, 4, 4);
    put32(size, dataBytes);
    done += pwrite(file, size, 4, 40);
    (void)done;
}
