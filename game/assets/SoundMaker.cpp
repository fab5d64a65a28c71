// Makes Vorlequin's three sounds, synthesised (no recordings): the bite of an apple, the
// snake's end, and the tap of a menu choice, as 16-bit mono WAVE files at 22,050 Hz.
// Run it after changing a sound: ./parvolin assets

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr uint32_t rate = 22050;
constexpr double pi = 3.14159265358979;

void put16(std::string& out, uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string& out, uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

bool writeWave(const char* path, const std::vector<int16_t>& samples)
{
    std::string data;
    for (int16_t sample : samples)
        put16(data, static_cast<uint16_t>(sample));
    std::string file = "RIFF";
    put32(file, static_cast<uint32_t>(36 + data.size()));
    file += "WAVEfmt ";
    put32(file, 16);
    put16(file, 1);
    put16(file, 1);
    put32(file, rate);
    put32(file, rate * 2);
    put16(file, 2);
    put16(file, 16);
    file += "data";
    put32(file, static_cast<uint32_t>(data.size()));
    file += data;
    std::FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}

// A tone gliding from `from` to `to` hertz over `seconds`, shaped by a quick attack and an
// exponential decay; `square` mixes in odd harmonics for a harder sound.
std::vector<int16_t> glide(double from, double to, double seconds, double loudness, double square)
{
    std::vector<int16_t> out;
    const size_t count = static_cast<size_t>(seconds * rate);
    double phase = 0;
    for (size_t i = 0; i < count; ++i) {
        const double t = double(i) / rate;
        const double hertz = from + (to - from) * t / seconds;
        phase += 2 * pi * hertz / rate;
        const double attack = std::fmin(1.0, t / 0.004);
        const double decay = std::exp(-3.0 * t / seconds);
        double wave = std::sin(phase) + square * (std::sin(3 * phase) / 3 + std::sin(5 * phase) / 5);
        out.push_back(static_cast<int16_t>(std::lround(32767 * loudness * attack * decay * wave / (1 + square))));
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s eat.wav die.wav tap.wav\n", argv[0]);
        return 2;
    }
    const bool written = writeWave(argv[1], glide(660, 1320, 0.09, 0.7, 0.0)) &&
                         writeWave(argv[2], glide(330, 55, 0.5, 0.8, 0.8)) &&
                         writeWave(argv[3], glide(1500, 1400, 0.03, 0.5, 0.0));
    if (!written) {
        std::fprintf(stderr, "the sounds could not be written\n");
        return 1;
    }
    return 0;
}
