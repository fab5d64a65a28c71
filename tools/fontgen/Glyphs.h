#ifndef PARVOLIN_FONTGEN_GLYPHS_H
#define PARVOLIN_FONTGEN_GLYPHS_H

// The glyphs of the built-in fonts, drawn by hand: seven rows each, '#' is a glyph pixel.
// Row 0 stays empty and capitals stand on rows 1 to 5, so that the bordered font has room
// for its outline above them; row 6 holds the descenders.
struct Glyph {
    wchar_t character;
    const char* rows[7];
};

extern const Glyph plainGlyphs[91];

// The bordered font outlines the same shapes, except the brace, which is narrower there.
extern const Glyph borderedBrace;

#endif
