// Makes the files the guides' programs read, at build time, into the programs' folder:
//   parvolin-guide-assets <folder>
// ship.png    24 x 16, a ship (a red fin on its left) on a magenta (255, 0, 255)
//             background, the colour key
// ghost.png   24 x 24 with an alpha channel: a ghost, opaque in the middle, fading out
// beep.wav    a tenth of a second at 880 Hz, 16-bit mono PCM
// tune.ogg    four notes in two seconds, Ogg Vorbis
// level.txt   two lines of text the first game reads
// data.zip    the folder data/ with all of the above but the tune (the sound under
//             data/sounds/, another level.txt), deflated
// The pictures are drawn and saved with the framework itself.
#include <Parvolin/Parvolin.h>

#include "testdata/SoundFiles.h"
#include "testdata/ZipBuilder.h"

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <sstream>
#include <string>

namespace {

void drawShip(Surface& ship)
{
    ship.fillRect(RGB(255, 0, 255), nullptr, 255);
    // A hull narrowing to the nose at the top, wings, and a window.
    for (unsigned long row = 0; row < 12; ++row) {
        const unsigned long half = 1 + row / 2;
        ship.drawLine(12 - half, row + 2, 11 + half, row + 2, RGB(200, 210, 230), 255);
    }
    Utility::Rect wings(2, 10, 22, 14);
    ship.fillRect(RGB(40, 90, 200), wings, 255);
    Utility::Rect window(10, 6, 14, 10);
    ship.fillRect(RGB(255, 200, 40), window, 255);
    // A fin on the left wing only, so that a mirrored ship looks mirrored.
    Utility::Rect fin(2, 6, 5, 10);
    ship.fillRect(RGB(230, 60, 60), fin, 255);
}

void drawGhost(SurfaceRGBA& ghost)
{
    Surface* alpha = ghost.getAlphaSurface();
    for (unsigned long y = 0; y < 24; ++y)
        for (unsigned long x = 0; x < 24; ++x) {
            const double dx = x - 11.5, dy = (y < 12 ? y - 11.5 : 0.0);
            const double distance = std::sqrt(dx * dx + dy * dy);
            const double edge = y < 12 ? 11.5 : 11.5 - std::fabs(std::fmod(x, 6.0) - 3.0) * 0.6;
            const double opacity = distance > edge ? 0.0 : std::fmin(1.0, (edge - distance) / 4.0);
            const unsigned long a = static_cast<unsigned long>(std::lround(255 * opacity * (y > 20 ? 0.5 : 1.0)));
            alpha->setPixel(x, y, RGB(a, a, a));
            ghost.setPixel(x, y, RGB(220, 235, 255));
        }
    // Two eyes, opaque.
    for (unsigned long eye : {7ul, 14ul}) {
        Utility::Rect pupil(static_cast<long>(eye), 8, static_cast<long>(eye) + 3, 12);
        ghost.fillRect(RGB(20, 20, 60), pupil, 255);
        alpha->fillRect(RGB(255, 255, 255), pupil, 255);
    }
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool writeAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return out.good();
}

bool savePicture(Surface& picture, const std::string& path)
{
    wchar_t wide[MAX_PATH];
    std::swprintf(wide, MAX_PATH, L"%s", path.c_str());
    return picture.save(wide, Surface::PNG) == ResultCode::Ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] != '/') {
        std::fprintf(stderr, "usage: %s <absolute folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    Surface ship;
    SurfaceRGBA ghost;
    if (ship.create(24, 16) || ghost.create(24, 24))
        return 1;
    drawShip(ship);
    drawGhost(ghost);
    bool ok = savePicture(ship, folder + "/ship.png") && savePicture(ghost, folder + "/ghost.png");
    ship.free();
    ghost.free();

    const std::string beep = SoundFiles::wave16(SoundFiles::sine(4410, 1, 44100, 880.0, 9000.0));
    std::vector<int16_t> notes;
    for (double hertz : {392.0, 440.0, 523.25, 440.0}) {
        std::vector<int16_t> note = SoundFiles::sine(22050, 1, 44100, hertz, 6000.0);
        notes.insert(notes.end(), note.begin(), note.end());
    }
    const std::string tune = SoundFiles::vorbis(notes, 1, 44100);
    const std::string level = "misses 3\nspeed 2\n";
    ok = ok && !tune.empty() && writeAll(folder + "/beep.wav", beep) && writeAll(folder + "/tune.ogg", tune) &&
         writeAll(folder + "/level.txt", level);

    ZipBuilder zip;
    zip.addFolder("data");
    zip.add("data/ship.png", readAll(folder + "/ship.png"), 8);
    zip.add("data/ghost.png", readAll(folder + "/ghost.png"), 8);
    zip.addFolder("data/sounds");
    zip.add("data/sounds/beep.wav", beep, 8);
    zip.add("data/level.txt", "misses 5\nspeed 3\n", 8);
    ok = ok && writeAll(folder + "/data.zip", zip.build());
    if (!ok)
        std::fprintf(stderr, "cannot write the guides' files into %s\n", argv[1]);
    return ok ? 0 : 1;
}
