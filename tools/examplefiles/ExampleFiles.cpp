// Makes the files the examples read, each chosen by its name:
//   parvolin-examplefiles <absolute path of a file>...
// (the framework takes a relative path from the program's folder, not the working one)
// rocket.bmp     a rocket on magenta, the colour key of the sprite example
// orb.png        a glowing orb whose halo fades out through its alpha channel
// coins.png      a spinning coin in 8 frames, 4 a row, with alpha: an animation's sheet
// title-font.png a gold font twice the built-in one's size, with its marker row and alpha
// caves.zip      a level (map.txt), its tiles (tiles.png) and a note
// bell.wav, drum.wav, tune.ogg  two sounds and a piece of music, synthesised
#include "testdata/SoundFiles.h"
#include "testdata/ZipBuilder.h"

#include <Parvolin/Parvolin.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double pi = 3.14159265358979;
constexpr unsigned long magenta = RGB(255, 0, 255);

unsigned long mix(unsigned long a, unsigned long b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [&](int shift) {
        const double x = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
        return static_cast<unsigned long>(std::lround(x)) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

// An alpha value as the alpha plane holds it: grey.
void setAlpha(SurfaceRGBA& image, long x, long y, double alpha)
{
    const unsigned a = static_cast<unsigned>(std::lround(std::clamp(alpha, 0.0, 1.0) * 255));
    image.getAlphaSurface()->setPixel(static_cast<unsigned long>(x), static_cast<unsigned long>(y), RGB(a, a, a));
}

bool save(Surface& image, const std::string& path, Surface::ImageFileType type)
{
    std::wstring wide(path.begin(), path.end());
    return image.save(wide.c_str(), type) == ResultCode::Ok;
}

// A rocket flying right: a white body with a porthole, a red nose and fins, a flame
// behind; magenta everywhere else.
bool rocket(const std::string& path)
{
    Surface image;
    if (image.create(40, 22) != ResultCode::Ok)
        return false;
    image.fillRect(magenta, nullptr, 255);
    const double middle = 10.5;
    for (long y = 0; y < 22; ++y)
        for (long x = 0; x < 40; ++x) {
            const double dy = y - middle, up = -dy / 6.0;  // light from above
            unsigned long colour = magenta;
            if (x >= 2 && x < 10 && std::fabs(dy) < 3.5 - (10 - x) * 0.35)  // the flame
                colour = mix(RGB(255, 240, 120), RGB(255, 110, 20), std::fabs(dy) / 3.0 + (10 - x) / 12.0);
            if (x >= 9 && x < 15 && std::fabs(dy) < 10.0 - (x - 9) * 0.9)  // the fins
                colour = mix(RGB(200, 30, 40), RGB(120, 10, 20), 0.5 - up);
            if (x >= 10 && x < 30 && std::fabs(dy) < 5.5)  // the body
                colour = mix(RGB(250, 250, 250), RGB(130, 140, 160), 0.5 - up * 0.8);
            if (x >= 30 && x < 39 && std::fabs(dy) < 5.5 * (39 - x) / 9.0)  // the nose
                colour = mix(RGB(240, 60, 60), RGB(140, 20, 30), 0.5 - up);
            const double window = std::hypot(x - 23.0, dy);
            if (window < 3.6)
                colour = window > 2.6 ? RGB(70, 80, 100) : mix(RGB(150, 220, 255), RGB(30, 90, 200), (x - 21.0) / 4);
            image.setPixel(static_cast<unsigned long>(x), static_cast<unsigned long>(y), colour);
        }
    image.setPixel(22, 9, RGB(255, 255, 255));
    const bool saved = save(image, path, Surface::BMP);
    image.free();
    return saved;
}

// A shaded ball lit from the upper left inside a halo that fades to nothing.
bool orb(const std::string& path)
{
    SurfaceRGBA image;
    if (image.create(48, 48) != ResultCode::Ok)
        return false;
    for (long y = 0; y < 48; ++y)
        for (long x = 0; x < 48; ++x) {
            const double dx = x - 23.5, dy = y - 23.5, r = std::hypot(dx, dy);
            unsigned long colour;
            double alpha;
            const double fade = std::max(0.0, 1 - (r - 11) / 13);
            const unsigned long glow = RGB(90, 200, 255);
            colour = glow;
            alpha = 0.75 * fade * fade;
            if (r < 12) {
                const double light = std::clamp((-dx - dy) / 22.0 + 0.5, 0.0, 1.0);
                colour = mix(RGB(20, 110, 200), RGB(200, 250, 255), light);
                const double shine = std::hypot(dx + 4, dy + 4);
                if (shine < 3)
                    colour = mix(RGB(255, 255, 255), colour, shine / 3);
                // The ball's last pixel blends into the halo, so that its edge is soft.
                const double edge = std::clamp(r - 10.5, 0.0, 1.0);
                colour = mix(colour, glow, edge);
                alpha = 1 - edge * 0.25;
            }
            image.setPixel(static_cast<unsigned long>(x), static_cast<unsigned long>(y), colour);
            setAlpha(image, x, y, alpha);
        }
    const bool saved = save(image, path, Surface::PNG);
    image.free();
    return saved;
}

// A gold coin turning about its upright axis: frame k shows it at k x 22.5 degrees, so
// the 8 frames make a half turn, and a coin looks the same from both sides.
bool coins(const std::string& path)
{
    constexpr long size = 24, columns = 4, frames = 8;
    SurfaceRGBA image;
    if (image.create(static_cast<int>(size * columns), static_cast<int>(size * (frames / columns))) != ResultCode::Ok)
        return false;
    for (long frame = 0; frame < frames; ++frame) {
        const double turn = std::cos(frame * pi / frames);
        const double halfWidth = std::max(1.5, 10.5 * std::fabs(turn));
        const long left = (frame % columns) * size, top = (frame / columns) * size;
        for (long y = 0; y < size; ++y)
            for (long x = 0; x < size; ++x) {
                // Four by four samples a pixel give a smooth edge.
                int inside = 0, onRim = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx) {
                        const double ex = (x + (sx + 0.5) / 4 - 12) / halfWidth, ey = (y + (sy + 0.5) / 4 - 12) / 10.5;
                        const double e = ex * ex + ey * ey;
                        inside += e <= 1;
                        onRim += e <= 1 && e > 0.55;
                    }
                const double light = std::clamp(0.55 - (x - 12.0) / 40 - (y - 12.0) / 25, 0.0, 1.0);
                unsigned long colour = mix(RGB(150, 90, 10), RGB(255, 230, 110), light);
                if (onRim * 2 > inside)
                    colour = mix(colour, RGB(120, 70, 0), 0.45);
                image.setPixel(static_cast<unsigned long>(left + x), static_cast<unsigned long>(top + y), colour);
                setAlpha(image, left + x, top + y, inside / 16.0);
            }
    }
    const bool saved = save(image, path, Surface::PNG);
    image.free();
    return saved;
}

// The characters of the gold font, in the order of its glyphs.
const wchar_t titleCharacters[] = L" ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!?:.,-'";

// The plain built-in font's glyphs doubled, their white turned into gold that darkens
// downwards, with a brown outline of one pixel. Row 0 marks each glyph's columns in
// white, with one column between glyphs that belongs to none.
bool titleFont(const std::string& path)
{
    Font* font = Font::getSystemFont();
    if (!font)
        return false;
    const long fontHeight = static_cast<long>(font->getHeight()), height = 2 * fontHeight + 2;
    long width = 0;
    for (const wchar_t* c = titleCharacters; *c; ++c)
        width += 2 * static_cast<long>(font->getCharWidth(*c)) + 3;
    SurfaceRGBA strip;
    Surface glyph;
    if (strip.create(static_cast<int>(width), static_cast<int>(1 + height)) != ResultCode::Ok ||
        glyph.create(16, static_cast<int>(fontHeight)) != ResultCode::Ok)
        return false;
    strip.fillRect(0, nullptr, 255);
    strip.getAlphaSurface()->fillRect(0, nullptr, 255);
    long left = 0;
    for (const wchar_t* c = titleCharacters; *c; ++c) {
        const long w = 2 * static_cast<long>(font->getCharWidth(*c)) + 2;
        const wchar_t text[2] = {*c, 0};
        glyph.fillRect(0, nullptr, 255);
        glyph.drawText(0, 0, font, TextAlign::Left, text);
        // Pixel (x, y) of the doubled glyph, one pixel in from the outline's edge. Read
        // back from RGB565, the letter is what is bright.
        auto letter = [&](long x, long y) {
            unsigned long pixel = 0;
            return x >= 1 && y >= 1 && x < w - 1 && y < height - 1 &&
                   glyph.getPixel(static_cast<unsigned long>((x - 1) / 2), static_cast<unsigned long>((y - 1) / 2),
                                  &pixel) == 0 &&
                   GetGValue(pixel) >= 128;
        };
        tagRECT marker = {static_cast<int32_t>(left), 0, static_cast<int32_t>(left + w), 1};
        strip.fillRect(RGB(255, 255, 255), &marker, 255);
        for (long y = 0; y < height; ++y)
            for (long x = 0; x < w; ++x) {
                bool outline = false;
                for (long dy = -1; dy <= 1; ++dy)
                    for (long dx = -1; dx <= 1; ++dx)
                        outline = outline || letter(x + dx, y + dy);
                if (!outline)
                    continue;
                const double depth = (y - 1) / (height - 3.0);
                const unsigned long colour =
                    letter(x, y) ? mix(RGB(255, 245, 170), RGB(235, 120, 20), depth) : RGB(60, 30, 10);
                strip.setPixel(static_cast<unsigned long>(left + x), static_cast<unsigned long>(1 + y), colour);
                setAlpha(strip, left + x, 1 + y, 1.0);
            }
        left += w + 1;
    }
    const bool saved = save(strip, path, Surface::PNG);
    strip.free();
    glyph.free();
    return saved;
}

// Four 16 x 16 tiles side by side: rock, floor, crystal, door.
bool tiles(const std::string& scratch, std::string& png)
{
    Surface image;
    if (image.create(64, 16) != ResultCode::Ok)
        return false;
    for (long y = 0; y < 16; ++y)
        for (long x = 0; x < 16; ++x) {
            // Rock: bricks with mortar lines, a little noise for texture.
            const bool mortar = y % 8 == 7 || (x + (y / 8) * 8) % 16 == 15;
            const unsigned noise = static_cast<unsigned>((x * 7 + y * 13) % 5) * 6;
            image.setPixel(static_cast<unsigned long>(x), static_cast<unsigned long>(y),
                           mortar ? RGB(40, 36, 50) : RGB(100 + noise, 92 + noise, 120 + noise));
            // Floor: dark with a faint grid.
            image.setPixel(static_cast<unsigned long>(16 + x), static_cast<unsigned long>(y),
                           (x == 0 || y == 0) ? RGB(34, 30, 44) : RGB(24, 22, 32));
            // Crystal: a diamond on the floor, lighter on its upper left.
            const long d = std::labs(x - 8) + std::labs(y - 8);
            unsigned long crystal = (x == 0 || y == 0) ? RGB(34, 30, 44) : RGB(24, 22, 32);
            if (d <= 6)
                crystal = x + y < 16 ? RGB(140, 255, 220) : RGB(30, 170, 150);
            if (d == 6)
                crystal = RGB(10, 90, 80);
            image.setPixel(static_cast<unsigned long>(32 + x), static_cast<unsigned long>(y), crystal);
            // Door: planks in an arch.
            const bool arch = y >= 3 || std::hypot(x - 7.5, y - 6.0) < 6.5;
            unsigned long door = mortar ? RGB(40, 36, 50) : RGB(100, 92, 120);
            if (arch && x >= 2 && x < 14)
                door = x % 4 == 1 ? RGB(90, 50, 20) : RGB(160, 100, 45);
            if (x == 11 && y == 9)
                door = RGB(255, 220, 90);
            image.setPixel(static_cast<unsigned long>(48 + x), static_cast<unsigned long>(y), door);
        }
    // Written to a file first (the framework saves to files), then read back.
    const bool saved = save(image, scratch, Surface::PNG);
    image.free();
    std::ifstream in(scratch, std::ios::binary);
    png.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::remove(scratch.c_str());
    return saved && !png.empty();
}

bool write(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return !bytes.empty() && static_cast<bool>(out);
}

bool caves(const std::string& path)
{
    const std::string map = "; The Crystal Caves: one character a tile.\n"
                            "; Rock #, floor ., crystal *, door D.\n"
                            "###############\n"
                            "#.....#.....*.#\n"
                            "#.*...#.###...#\n"
                            "#.....#...#.*.#\n"
                            "###.#####.#####\n"
                            "#.....*.......#\n"
                            "#.###.###.###.#\n"
                            "#.#*....#...#.#\n"
                            "#.#####.#.*.#.#\n"
                            "#.......#.....D\n"
                            "###############\n";
    std::string png;
    if (!tiles(path + ".tiles.png", png))
        return false;
    ZipBuilder zip;
    zip.add("map.txt", map, 8);
    zip.add("tiles.png", png, 0);  // a PNG is compressed already: stored
    zip.add("readme.txt", "Collect every crystal, then find the door.\n", 8);
    return write(path, zip.build());
}

// A tone whose partials decay at their own rates, as struck metal does.
std::vector<int16_t> bell(uint32_t rate)
{
    const double partials[][3] = {{880, 1.0, 2.5}, {2200, 0.5, 4.5}, {3960, 0.25, 7}, {5280, 0.12, 10}};
    std::vector<int16_t> out(rate * 6 / 5);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / rate;
        double value = 0;
        for (const auto& p : partials)
            value += p[1] * std::sin(2 * pi * p[0] * t) * std::exp(-p[2] * t);
        out[i] = static_cast<int16_t>(std::lround(11000 * value * std::min(1.0, t / 0.002)));
    }
    return out;
}

// A low thump falling in pitch, with a burst of noise for its attack.
std::vector<int16_t> drum(uint32_t rate)
{
    std::vector<int16_t> out(rate * 3 / 10);
    uint32_t noise = 12345;
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / rate;
        phase += 2 * pi * (60 + 90 * std::exp(-t * 30)) / rate;
        noise = noise * 1103515245u + 12345u;
        const double hiss = ((noise >> 16) & 0x7FFF) / 16384.0 - 1;
        const double value = std::sin(phase) * std::exp(-t * 12) + 0.3 * hiss * std::exp(-t * 60);
        out[i] = static_cast<int16_t>(std::lround(16000 * value));
    }
    return out;
}

// Eight bars of a calm tune in a pentatonic scale over a bass note, soft-edged tones.
std::vector<int16_t> tune(uint32_t rate)
{
    const int melody[] = {0, 2, 4, 7, 9, 7, 4, 2, 0, 4, 7, 12, 9, 7, 4, -1};
    const int bass[] = {-12, -12, -15, -15, -17, -17, -12, -12};
    const double beat = 0.375;
    const size_t beatFrames = static_cast<size_t>(beat * rate);
    std::vector<double> mixed(beatFrames * 16 * 2, 0.0);
    auto note = [&](size_t start, size_t length, int semitone, double loudness) {
        const double hertz = 440.0 * std::pow(2.0, (semitone + 3) / 12.0);
        for (size_t i = 0; i < length && start + i < mixed.size(); ++i) {
            const double t = double(i) / rate;
            const double envelope = std::min(1.0, t / 0.01) * std::exp(-2.5 * t) * std::min(1.0, (length - i) / 200.0);
            const double wave = std::sin(2 * pi * hertz * t) + 0.2 * std::sin(4 * pi * hertz * t);
            mixed[start + i] += loudness * envelope * wave;
        }
    };
    for (size_t n = 0; n < 32; ++n)
        if (melody[n % 16] >= 0)
            note(n * beatFrames, beatFrames, melody[n % 16], 0.35);
    for (size_t n = 0; n < 8; ++n)
        note(n * 4 * beatFrames, 4 * beatFrames, bass[n], 0.3);
    std::vector<int16_t> out(mixed.size());
    for (size_t i = 0; i < mixed.size(); ++i)
        out[i] = static_cast<int16_t>(std::lround(20000 * std::clamp(mixed[i], -1.0, 1.0)));
    return out;
}

bool make(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name == "rocket.bmp")
        return rocket(path);
    if (name == "orb.png")
        return orb(path);
    if (name == "coins.png")
        return coins(path);
    if (name == "title-font.png")
        return titleFont(path);
    if (name == "caves.zip")
        return caves(path);
    if (name == "bell.wav")
        return write(path, SoundFiles::wave16(bell(22050), 1, 22050));
    if (name == "drum.wav")
        return write(path, SoundFiles::wave16(drum(22050), 1, 22050));
    if (name == "tune.ogg")
        return write(path, SoundFiles::vorbis(tune(22050), 1, 22050, 0.3f));
    std::fprintf(stderr, "%s: no such example file\n", path.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <file>...\n", argv[0]);
        return 2;
    }
    for (int i = 1; i < argc; ++i)
        if (!make(argv[i])) {
            std::fprintf(stderr, "%s could not be made\n", argv[i]);
            return 1;
        }
    return 0;
}
