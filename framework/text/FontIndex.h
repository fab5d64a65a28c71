#ifndef PARVOLIN_FONT_INDEX_H
#define PARVOLIN_FONT_INDEX_H

#include <cstddef>
#include <cstdint>

struct FontGlyph;

// What a font builds once so that drawing a line costs little per character: the glyph of
// a character found in constant time (an open-addressed table that keeps the first glyph
// of a character named twice, as a search from the start would), and narrow glyphs kept
// again with their rows padded to eight pixels, which the glyph kernel draws one row per
// step.
class FontIndex {
public:
    static constexpr size_t narrowWidth = 8;
    // Taller glyphs are not padded: the copy would cost more memory than it saves time.
    static constexpr unsigned long narrowHeightLimit = 64;

    // Null when there is no memory for it.
    static FontIndex* make(const wchar_t* characters, uint32_t count, const FontGlyph* glyphs);
    ~FontIndex();
    FontIndex(const FontIndex&) = delete;
    FontIndex& operator=(const FontIndex&) = delete;

    // The glyph of c, or -1.
    long find(wchar_t c) const
    {
        for (uint32_t slot = hash(c);; slot = (slot + 1) & mask) {
            const int32_t index = slots[slot];
            if (index < 0 || characters[index] == c)
                return index;
        }
    }
    // Glyph `index`'s rows, narrowWidth pixels apart, or null when it is wider, has alpha or
    // is too tall.
    const uint16_t* narrowRows(long index) const
    {
        return narrow && narrowOffsets[index] >= 0 ? narrow + narrowOffsets[index] : nullptr;
    }

private:
    FontIndex() = default;
    uint32_t hash(wchar_t c) const { return (static_cast<uint32_t>(c) * 2654435761u) >> shift & mask; }

    const wchar_t* characters = nullptr;
    int32_t* slots = nullptr;
    uint32_t mask = 0;
    uint32_t shift = 0;
    uint16_t* narrow = nullptr;
    int32_t* narrowOffsets = nullptr;
};

#endif
