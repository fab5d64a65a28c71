// Draws the two built-in font images from the hand-drawn glyphs and writes them as GIF
// files (and, on request, enlarged PNG previews for looking at them):
//   parvolin-fontgen <plain.gif> <bordered.gif> [<preview.png>]
// Layout of both images: row 0 is the marker row, white over each glyph's columns; rows 1
// to 7 hold the glyphs in the order of the character string, on a magenta background.
#include "Glyphs.h"

#include <gif_lib.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum Colour : unsigned char { Magenta = 0, White = 1, Black = 2 };

const int glyphRows = 7;
const int imageHeight = glyphRows + 1;

struct Image {
    int width = 0;
    std::vector<unsigned char> pixels; // imageHeight rows of `width` colour indices

    unsigned char& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Glyph widths the two fonts promise to games (the plain font's; the bordered one adds 2).
int expectedPlainWidth(wchar_t c)
{
    const wchar_t* one = L"Ii!'.:|";
    const wchar_t* two = L"()[],;";
    const wchar_t* three = L" EFLTZefltz1\"{}<>/-\\";
    const wchar_t* five = L"MNVWXYmnvwxy#%*+@";
    if (std::wcschr(one, c))
        return 1;
    if (std::wcschr(two, c))
        return 2;
    if (std::wcschr(three, c))
        return 3;
    if (std::wcschr(five, c))
        return 5;
    return 4;
}

bool checkGlyph(const Glyph& glyph, int expectedWidth)
{
    for (const char* row : glyph.rows) {
        if (static_cast<int>(std::strlen(row)) != expectedWidth) {
            std::fprintf(stderr, "glyph '%lc' has a row of %zu pixels, expected %d\n", glyph.character,
                         std::strlen(row), expectedWidth);
            return false;
        }
    }
    return true;
}

// One glyph as a grid of colours, `border` adding a column on each side and outlining
// every glyph pixel in black (its eight neighbours).
std::vector<std::vector<unsigned char>> glyphCells(const Glyph& glyph, bool border)
{
    int width = static_cast<int>(std::strlen(glyph.rows[0]));
    int pad = border ? 1 : 0;
    std::vector<std::vector<unsigned char>> cells(glyphRows, std::vector<unsigned char>(width + 2 * pad, Magenta));
    for (int y = 0; y < glyphRows; ++y)
        for (int x = 0; x < width; ++x)
            if (glyph.rows[y][x] == '#')
                cells[y][x + pad] = White;
    if (!border)
        return cells;
    auto outlined = cells;
    for (int y = 0; y < glyphRows; ++y)
        for (int x = 0; x < width + 2; ++x)
            for (int dy = -1; dy <= 1 && outlined[y][x] == Magenta; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int ny = y + dy, nx = x + dx;
                    if (ny >= 0 && ny < glyphRows && nx >= 0 && nx < width + 2 && cells[ny][nx] == White) {
                        outlined[y][x] = Black;
                        break;
                    }
                }
    return outlined;
}

Image buildImage(bool border, int firstRun, int width)
{
    Image image;
    image.width = width;
    image.pixels.assign(static_cast<size_t>(width) * imageHeight, Magenta);
    int x = firstRun;
    for (const Glyph& plain : plainGlyphs) {
        const Glyph& glyph = (border && plain.character == L'{') ? borderedBrace : plain;
        auto cells = glyphCells(glyph, border);
        int glyphWidth = static_cast<int>(cells[0].size());
        for (int gx = 0; gx < glyphWidth; ++gx) {
            image.at(x + gx, 0) = White;
            for (int gy = 0; gy < glyphRows; ++gy)
                image.at(x + gx, gy + 1) = cells[gy][gx];
        }
        x += glyphWidth + 1; // one pixel between marker runs
    }
    // The last run must be followed by a non-white pixel, or it would not be a glyph.
    if (x + 1 != width) {
        std::fprintf(stderr, "layout ends at %d, image is %d wide\n", x + 1, width);
        image.width = 0;
    }
    return image;
}

bool writeGif(const Image& image, const char* path, int colours)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path, false, &error);
    if (!gif)
        return false;
    GifColorType palette[4] = {{248, 3, 248}, {255, 255, 255}, {0, 0, 0}, {0, 0, 0}};
    ColorMapObject* map = GifMakeMapObject(colours, palette);
    bool ok = map && EGifPutScreenDesc(gif, image.width, imageHeight, colours == 2 ? 1 : 2, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, image.width, imageHeight, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < imageHeight; ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(&image.pixels[static_cast<size_t>(y) * image.width]),
                         image.width) == GIF_OK;
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

// Both images enlarged (each pixel a square of `scale` pixels) and cut into bands of
// `band` columns stacked top to bottom, so that the whole strip fits on a screen.
bool writePreview(const Image& plain, const Image& bordered, const char* path)
{
    const int scale = 4, gap = 6, band = 160;
    const Image* images[2] = {&plain, &bordered};
    int bands[2] = {(plain.width + band - 1) / band, (bordered.width + band - 1) / band};
    int width = band * scale;
    int height = (bands[0] + bands[1]) * (imageHeight * scale + gap);
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3, 64);
    const unsigned char colours[3][3] = {{248, 3, 248}, {255, 255, 255}, {0, 0, 0}};
    int top = 0;
    for (int i = 0; i < 2; ++i) {
        const Image& image = *images[i];
        for (int b = 0; b < bands[i]; ++b, top += imageHeight * scale + gap)
            for (int y = 0; y < imageHeight * scale; ++y)
                for (int x = 0; x < width && b * band + x / scale < image.width; ++x) {
                    int sx = b * band + x / scale;
                    std::memcpy(&rgb[(static_cast<size_t>(top + y) * width + x) * 3],
                                colours[image.pixels[static_cast<size_t>(y / scale) * image.width + sx]], 3);
                }
    }
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, &rgb[static_cast<size_t>(y) * width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <plain.gif> <bordered.gif> [<preview.png>]\n", argv[0]);
        return 2;
    }
    bool ok = true;
    for (const Glyph& glyph : plainGlyphs)
        ok = checkGlyph(glyph, expectedPlainWidth(glyph.character)) && ok;
    ok = checkGlyph(borderedBrace, 2) && ok;
    if (!ok)
        return 1;
    Image plain = buildImage(false, 2, 422);
    Image bordered = buildImage(true, 1, 602);
    if (!plain.width || !bordered.width)
        return 1;
    if (!writeGif(plain, argv[1], 2) || !writeGif(bordered, argv[2], 4)) {
        std::fprintf(stderr, "cannot write the GIF files\n");
        return 1;
    }
    if (argc > 3 && !writePreview(plain, bordered, argv[3])) {
        std::fprintf(stderr, "cannot write the preview\n");
        return 1;
    }
    return 0;
}
