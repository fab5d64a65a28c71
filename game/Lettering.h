#ifndef VORLEQUIN_LETTERING_H
#define VORLEQUIN_LETTERING_H

class Font;
class Surface;

namespace Lettering {

// The colours of Vorlequin's pictures (COLORREF, 0x00BBGGRR), shared by the menu's
// picture and what the game draws over it.
constexpr unsigned long rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }
constexpr unsigned long ink = rgb(232, 240, 224);
constexpr unsigned long dim = rgb(150, 176, 160);
constexpr unsigned long accent = rgb(250, 200, 80);

// One line of `text` in `colour`, `scale` times the font's size, with its top at `y` and
// its left edge at `x` (its middle, when `centre`). The line is drawn once into a keyed
// strip, then scaled onto the target with the key transparent; a tinted bordered font
// keeps its black outline.
void draw(Surface& target, Font* font, const wchar_t* text, long x, long y, unsigned long colour,
          unsigned long scale, bool centre);

} // namespace Lettering

#endif
