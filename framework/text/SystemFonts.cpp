#include "core/ResultCodes.h"
#include "graphics/Surface.h"
#include "text/Font.h"
#include "text/SystemFontImages.h"

#include <new>

// The two built-in fonts, made from the images inside the library on first use and kept
// for the life of the process.

namespace {

// Both images hold these characters, in this order.
const wchar_t systemCharacters[] = L" ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890"
                                   L"!?\"'#$%&()[]{}_.,;:<>/*-+\\@|";

// The magenta background of both images.
constexpr unsigned long systemColorKey = 0xF803F8;

struct SystemFont {
    Surface* image;
    Font* font;
};

// Makes the font once; a failure leaves nothing behind but a made image, and the next
// call tries again.
Font* systemFont(SystemFont& slot, const unsigned char* bytes, size_t size, long globalSpacing)
{
    if (slot.font)
        return slot.font;
    if (!slot.image) {
        Surface* image = new (std::nothrow) Surface;
        if (!image)
            return nullptr;
        if (image->create(const_cast<unsigned char*>(bytes), static_cast<unsigned long>(size)) != ResultCode::Ok) {
            image->free();
            delete image;
            return nullptr;
        }
        slot.image = image;
    }
    Font* font = new (std::nothrow) Font;
    if (!font)
        return nullptr;
    if (font->createFont(systemCharacters, slot.image, systemColorKey) != ResultCode::Ok) {
        delete font;
        return nullptr;
    }
    font->setGlobalSpacing(globalSpacing);
    slot.font = font;
    return font;
}

SystemFont plainFont = {nullptr, nullptr};
SystemFont borderedFont = {nullptr, nullptr};

} // namespace

Font* Font::getSystemFont()
{
    size_t size = 0;
    const unsigned char* bytes = SystemFontImages::plain(size);
    return systemFont(plainFont, bytes, size, 1);
}

Font* Font::getSystemFontWithBorder()
{
    size_t size = 0;
    const unsigned char* bytes = SystemFontImages::bordered(size);
    return systemFont(borderedFont, bytes, size, 0);
}
