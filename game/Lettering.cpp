#include "Lettering.h"

#include <Parvolin/Parvolin.h>

namespace {
const unsigned long keyColour = Lettering::rgb(255, 0, 255);
} // namespace

void Lettering::draw(Surface& target, Font* font, const wchar_t* text, long x, long y, unsigned long colour,
                     unsigned long scale, bool centre)
{
    if (!font || !text)
        return;
    const unsigned long width = font->getStringWidth(text);
    Surface strip;
    if (width == 0 || strip.create(width, font->getHeight()) != 0)
        return;
    strip.fillRect(keyColour, nullptr, 255);
    // Tinting multiplies: white glyphs take the colour, a bordered font's black outline
    // stays black.
    MultiplyShader tint(colour);
    font->setShader(&tint);
    strip.drawText(0, 0, font, TextAlign::Left, text);
    font->setShader(nullptr);
    if (centre)
        x -= static_cast<long>(width * scale / 2);
    Utility::Rect to(x, y, x + static_cast<long>(width * scale), y + static_cast<long>(strip.getHeight() * scale));
    ColorKeyShader transparent(keyColour);
    target.blt(to, &strip, nullptr, 0, Surface::FLIP_NONE, &transparent);
    strip.free();
}
