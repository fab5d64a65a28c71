#include "text/Font.h"

#include "core/ResultCodes.h"
#include "graphics/CompositeShaders.h"
#include "graphics/SurfaceRGBA.h"
#include "text/FontIndex.h"

#include <cwchar>
#include <new>

namespace {

constexpr uint16_t markerWhite = 0xFFFF;

void destroySurface(Surface*& surface)
{
    if (surface) {
        surface->free();
        delete surface;
    }
    surface = nullptr;
}

} // namespace

Font::Font()
    : shader(nullptr), characters(nullptr), glyphs(nullptr), lookup(nullptr), globalSpacing(0), characterCount(0)
{
}

Font::~Font() { releaseFont(); }

long Font::releaseFont()
{
    for (uint32_t i = 0; glyphs && i < characterCount; ++i) {
        destroySurface(glyphs[i].image);
        destroySurface(glyphs[i].alpha);
        delete[] glyphs[i].spacing;
    }
    delete[] glyphs;
    delete[] characters;
    delete shader;
    delete lookup;
    lookup = nullptr;
    shader = nullptr;
    characters = nullptr;
    glyphs = nullptr;
    globalSpacing = 0;
    characterCount = 0;
    return ResultCode::Ok;
}

long Font::createFont(const wchar_t* text, Surface* image, Surface* alphaImage) { return build(text, image, alphaImage); }

long Font::createFont(const wchar_t* text, Surface* image, unsigned long colorKey)
{
    if (long result = build(text, image, nullptr))
        return result;
    shader = new (std::nothrow) FontShader(colorKey);
    if (!shader) {
        releaseFont();
        return ResultCode::OutOfMemory;
    }
    return ResultCode::Ok;
}

long Font::createFont(const wchar_t* text, SurfaceRGBA* image)
{
    if (!image)
        return ResultCode::NullParameter;
    return build(text, image, image->getAlphaSurface());
}

long Font::build(const wchar_t* text, Surface* image, Surface* alphaImage)
{
    if (!text || !image)
        return ResultCode::NullParameter;
    Surface::Buffer view;
    if (image->getBuffer(&view) != ResultCode::Ok || view.width == 0 || view.height == 0)
        return ResultCode::InvalidSurface;
    releaseFont();
    Surface::Buffer alphaView;
    if (alphaImage && alphaImage->getBuffer(&alphaView) != ResultCode::Ok)
        return ResultCode::InvalidSurface;

    const size_t length = std::wcslen(text);
    characters = new (std::nothrow) wchar_t[length + 1];
    glyphs = new (std::nothrow) FontGlyph[length]();
    if (!characters || !glyphs) {
        releaseFont();
        return ResultCode::OutOfMemory;
    }
    std::wmemcpy(characters, text, length + 1);

    // Glyph i takes the i-th run of white marker pixels; a run that reaches the right edge
    // (or none at all) ends the font with the glyphs found so far.
    const unsigned short* marker = view.pixels;
    const long width = static_cast<long>(view.width);
    long x = 0;
    size_t found = 0;
    while (found < length) {
        while (x < width && marker[x] != markerWhite)
            ++x;
        const long start = x;
        while (x < width && marker[x] == markerWhite)
            ++x;
        if (x >= width)
            break;
        if (long result = cutGlyph(found, image, alphaImage, start, x, length)) {
            releaseFont();
            return result;
        }
        ++found;
    }
    characterCount = static_cast<uint32_t>(found);
    characters[found] = 0;
    lookup = FontIndex::make(characters, characterCount, glyphs);
    if (!lookup) {
        releaseFont();
        return ResultCode::OutOfMemory;
    }
    return ResultCode::Ok;
}

long Font::cutGlyph(unsigned long index, Surface* image, Surface* alphaImage, long left, long right, size_t rowLength)
{
    FontGlyph& glyph = glyphs[index];
    // Counted at once, so that a release after a failure also frees this glyph's parts.
    characterCount = static_cast<uint32_t>(index + 1);
    tagRECT columns{static_cast<int32_t>(left), 1, static_cast<int32_t>(right), static_cast<int32_t>(image->getHeight())};
    const unsigned long glyphWidth = static_cast<unsigned long>(right - left);
    const unsigned long glyphHeight = image->getHeight() - 1;
    glyph.image = new (std::nothrow) Surface;
    glyph.spacing = new (std::nothrow) int32_t[rowLength]();
    if (!glyph.image || !glyph.spacing)
        return ResultCode::OutOfMemory;
    if (long result = glyph.image->create(glyphWidth, glyphHeight))
        return result;
    if (long result = glyph.image->bltFast(0, 0, image, &columns, nullptr))
        return result;
    if (!alphaImage)
        return ResultCode::Ok;
    glyph.alpha = new (std::nothrow) Surface;
    if (!glyph.alpha)
        return ResultCode::OutOfMemory;
    if (long result = glyph.alpha->create(glyphWidth, glyphHeight))
        return result;
    return glyph.alpha->bltFast(0, 0, alphaImage, &columns, nullptr);
}

long Font::indexOf(wchar_t c) { return lookup ? lookup->find(c) : -1; }

unsigned long Font::getCharWidth(wchar_t c)
{
    long index = indexOf(c);
    return index < 0 ? 0 : glyphs[index].image->getWidth();
}

unsigned long Font::getHeight() { return characterCount ? glyphs[0].image->getHeight() : 0; }

long Font::getSpacing(wchar_t first, wchar_t second)
{
    long firstIndex = indexOf(first);
    long secondIndex = indexOf(second);
    if (firstIndex < 0 || secondIndex < 0)
        return 0;
    return static_cast<long>(glyphs[firstIndex].spacing[secondIndex]) + globalSpacing;
}

long Font::setSpacing(wchar_t first, wchar_t second, long spacing)
{
    long firstIndex = indexOf(first);
    long secondIndex = indexOf(second);
    if (firstIndex >= 0 && secondIndex >= 0)
        glyphs[firstIndex].spacing[secondIndex] = static_cast<int32_t>(spacing);
    return ResultCode::Ok;
}

long Font::setGlobalSpacing(long spacing)
{
    globalSpacing = static_cast<int32_t>(spacing);
    return ResultCode::Ok;
}

unsigned long Font::advance(long index, long next)
{
    if (index < 0)
        return 0;
    unsigned long width = glyphs[index].image->getWidth();
    if (next < 0)
        return width;
    return width + static_cast<unsigned long>(static_cast<long>(glyphs[index].spacing[next]) + globalSpacing);
}

unsigned long Font::getStringWidth(const wchar_t* text)
{
    if (!text)
        return 0;
    // Each character is looked up once and carried on as the next one's partner.
    unsigned long width = 0;
    long index = text[0] ? indexOf(text[0]) : -1;
    for (; *text; ++text) {
        const long next = text[1] ? indexOf(text[1]) : -1;
        width += advance(index, next);
        index = next;
    }
    return width;
}

long Font::makeShader()
{
    if (!shader)
        shader = new (std::nothrow) FontShader();
    return shader ? ResultCode::Ok : ResultCode::OutOfMemory;
}

long Font::setColorKey(unsigned long colorref)
{
    if (long result = makeShader())
        return result;
    shader->setColorKey(colorref);
    return ResultCode::Ok;
}

long Font::setFontColor(unsigned long colorref)
{
    if (long result = makeShader())
        return result;
    shader->setFontColor(colorref);
    return ResultCode::Ok;
}

long Font::setShader(Shader* inner)
{
    if (long result = makeShader())
        return result;
    shader->setShader(inner);
    return ResultCode::Ok;
}
