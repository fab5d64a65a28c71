// Draws Vorlequin's two pictures with the framework itself and writes them out:
//   vorlequin-assets <vorlequin-menu.png> <apple.gif>
// The menu's mode rows and exit box sit exactly on the areas the menu handler answers
// to; the apple is 21 x 21 around its centre (the game draws it 10 pixels up and left of
// its point) on black, and holds no white pixel, since white is what kills the snake.
#include "../Lettering.h"

#include <Parvolin/Parvolin.h>

#include <gif_lib.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

using Lettering::accent;
using Lettering::dim;
using Lettering::ink;
using Lettering::rgb;

const unsigned long background = rgb(14, 22, 18);
const unsigned long panel = rgb(28, 48, 38);
const unsigned long frame = rgb(120, 200, 140);

// A box with a bright frame and a darker inside; the hit area may be a little larger.
void drawBox(Surface& target, const Utility::Rect& box, unsigned long fill, unsigned long border)
{
    Utility::Rect inside(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
    target.fillRect(fill, inside, 255);
    target.drawRect(border, const_cast<Utility::Rect&>(box), 255);
}

struct ModeRow {
    long top;
    long bottom;
    const wchar_t* name;
    const wchar_t* hint;
};

void drawMenu(Surface& menu, Surface& apple)
{
    Font* plain = Font::getSystemFont();
    Font* bordered = Font::getSystemFontWithBorder();
    menu.fillRect(background, nullptr, 255);

    Lettering::draw(menu, bordered, L"VORLEQUIN", 120, 6, accent, 3, true);
    Lettering::draw(menu, plain, L"a snake for the stylus", 120, 30, dim, 1, true);

    // The menu answers to x 71..190 and y 40..60, 61..79, 80..100 (modes 3, 2, 1).
    const ModeRow rows[] = {
        {40, 61, L"FLEE", L"turns away from the pen"},
        {61, 80, L"WHEEL", L"pen left or right steers"},
        {80, 101, L"CHASE", L"turns toward the pen"},
    };
    for (const ModeRow& row : rows) {
        drawBox(menu, Utility::Rect(71, row.top + 1, 191, row.bottom - 1), panel, frame);
        Lettering::draw(menu, bordered, row.name, 131, row.top + 2, accent, 1, true);
        Lettering::draw(menu, plain, row.hint, 131, row.top + 10, ink, 1, true);
    }
    Lettering::draw(menu, plain, L"tap a mode", 35, 67, dim, 1, true);
    Lettering::draw(menu, plain, L"to play", 35, 76, dim, 1, true);

    // The exit area: x 100..150, y 130..150.
    drawBox(menu, Utility::Rect(100, 130, 151, 151), rgb(90, 24, 24), rgb(240, 110, 100));
    Lettering::draw(menu, bordered, L"EXIT", 126, 137, ink, 1, true);

    // The snake starts as a single pixel, easy to miss on an empty field: say where it is.
    const wchar_t* lines[] = {
        L"The snake is the dot in the middle;",
        L"it sets off at your first touch.",
        L"Eat apples: 100 points, and it grows.",
        L"White kills: walls, the X box, itself.",
        L"Tap the red X box to leave a game.",
        L"",
        L"FLEE and CHASE: keep the pen near",
        L"the head to bend its path.",
        L"WHEEL: the further from the middle,",
        L"the sharper the turn; lift the pen",
        L"and it circles to the left.",
    };
    Lettering::draw(menu, bordered, L"HOW TO PLAY", 120, 158, accent, 1, true);
    long y = 171;
    for (const wchar_t* line : lines) {
        Lettering::draw(menu, plain, line, 120, y, ink, 1, true);
        y += 10;
    }

    // A snake winding towards an apple along the bottom, one pixel wide as in the game.
    long headY = 0;
    for (long x = 24; x < 186; ++x) {
        headY = 294 + static_cast<long>(std::lround(8.0 * std::sin((x - 24) / 14.0)));
        menu.setPixel(static_cast<unsigned long>(x), static_cast<unsigned long>(headY), rgb(255, 255, 255));
    }
    ColorKeyShader noBackground(0);
    menu.bltFast(200, static_cast<unsigned long>(headY - 10), &apple, nullptr, &noBackground);
}

// The apple: a red ball lit from the upper left, a brown stem and a green leaf.
void drawApple(Surface& apple)
{
    apple.fillRect(0, nullptr, 255);
    for (long y = 0; y < 21; ++y) {
        for (long x = 0; x < 21; ++x) {
            const double dx = x - 10.0, dy = y - 11.5;
            // Two lobes make the apple's dip at the top.
            const double r = std::sqrt(dx * dx * 1.05 + dy * dy) - (dy < -4 && std::fabs(dx) < 2.5 ? 1.5 : 0.0);
            if (r > 8.6)
                continue;
            const double light = ((-dx - dy) / 12.0 + 1.0) / 2.0; // 0 lower right .. 1 upper left
            unsigned red = static_cast<unsigned>(150 + 90 * light);
            unsigned green = static_cast<unsigned>(16 + 30 * light);
            if (r > 7.6)
                red = 120, green = 10;
            apple.setPixel(static_cast<unsigned long>(x), static_cast<unsigned long>(y), rgb(red, green, 24));
        }
    }
    // A soft highlight, pink rather than white.
    apple.fillRect(rgb(255, 170, 160), Utility::Rect(6, 7, 8, 9), 255);
    apple.setPixel(8, 7, rgb(250, 120, 110));
    apple.drawLine(10, 1, 10, 4, rgb(110, 70, 30), 255);
    apple.drawLine(11, 1, 11, 2, rgb(110, 70, 30), 255);
    apple.drawLine(12, 3, 15, 1, rgb(60, 170, 60), 255);
    apple.drawLine(12, 2, 14, 1, rgb(40, 130, 40), 255);
    apple.setPixel(15, 2, rgb(60, 170, 60));
}

// A GIF of the surface's colours (the surface must have at most 256 of them).
bool writeGif(Surface& surface, const char* path)
{
    const unsigned long width = surface.getWidth(), height = surface.getHeight();
    std::vector<unsigned long> palette;
    std::vector<GifPixelType> indices(width * height);
    for (unsigned long y = 0; y < height; ++y)
        for (unsigned long x = 0; x < width; ++x) {
            unsigned long colour = 0;
            surface.getPixel(x, y, &colour);
            size_t i = 0;
            while (i < palette.size() && palette[i] != colour)
                ++i;
            if (i == palette.size())
                palette.push_back(colour);
            if (i > 255)
                return false;
            indices[y * width + x] = static_cast<GifPixelType>(i);
        }
    int bits = 1;
    while ((1u << bits) < palette.size())
        ++bits;
    std::vector<GifColorType> colours(1u << bits, GifColorType{0, 0, 0});
    for (size_t i = 0; i < palette.size(); ++i)
        colours[i] = GifColorType{static_cast<GifByteType>(palette[i] & 0xFF),
                                  static_cast<GifByteType>((palette[i] >> 8) & 0xFF),
                                  static_cast<GifByteType>((palette[i] >> 16) & 0xFF)};
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path, false, &error);
    if (!gif)
        return false;
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    bool ok = map && EGifPutScreenDesc(gif, static_cast<int>(width), static_cast<int>(height), bits, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, static_cast<int>(width), static_cast<int>(height), false, nullptr) == GIF_OK;
    for (unsigned long y = 0; ok && y < height; ++y)
        ok = EGifPutLine(gif, &indices[y * width], static_cast<int>(width)) == GIF_OK;
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <vorlequin-menu.png> <apple.gif>\n", argv[0]);
        return 2;
    }
    if (!Font::getSystemFont() || !Font::getSystemFontWithBorder()) {
        std::fprintf(stderr, "the built-in fonts cannot be made\n");
        return 1;
    }
    Surface menu;
    Surface apple;
    if (menu.create(240, 320) != 0 || apple.create(21, 21) != 0)
        return 1;
    drawApple(apple);
    drawMenu(menu, apple);

    wchar_t menuPath[260];
    std::swprintf(menuPath, 260, L"%s", argv[1]);
    int status = 0;
    if (menu.save(menuPath, Surface::PNG) != 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        status = 1;
    }
    if (!writeGif(apple, argv[2])) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        status = 1;
    }
    menu.free();
    apple.free();
    return status;
}
