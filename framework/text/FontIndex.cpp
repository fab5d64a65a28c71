#include "text/FontIndex.h"

#include "graphics/Surface.h"
#include "text/Font.h"

#include <cstring>
#include <new>

FontIndex* FontIndex::make(const wchar_t* characters, uint32_t count, const FontGlyph* glyphs)
{
    FontIndex* index = new (std::nothrow) FontIndex;
    if (!index)
        return nullptr;
    index->characters = characters;
    // At most half full, so that a search meets an empty slot soon.
    uint32_t bits = 3;
    while ((1u << bits) < 2 * static_cast<uint64_t>(count))
        ++bits;
    index->mask = (1u << bits) - 1;
    index->shift = 32 - bits;
    index->slots = new (std::nothrow) int32_t[index->mask + 1];
    index->narrowOffsets = new (std::nothrow) int32_t[count ? count : 1];
    if (!index->slots || !index->narrowOffsets) {
        delete index;
        return nullptr;
    }
    for (uint32_t i = 0; i <= index->mask; ++i)
        index->slots[i] = -1;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t slot = index->hash(characters[i]);
        while (index->slots[slot] >= 0 && characters[index->slots[slot]] != characters[i])
            slot = (slot + 1) & index->mask;
        // A character named again keeps its first glyph.
        if (index->slots[slot] < 0)
            index->slots[slot] = static_cast<int32_t>(i);
    }

    const unsigned long height = count ? glyphs[0].image->getHeight() : 0;
    size_t narrowCount = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const bool fits = !glyphs[i].alpha && glyphs[i].image->getWidth() <= narrowWidth && height <= narrowHeightLimit;
        index->narrowOffsets[i] = fits ? static_cast<int32_t>(narrowCount * height * narrowWidth) : -1;
        narrowCount += fits;
    }
    if (narrowCount == 0)
        return index;
    index->narrow = new (std::nothrow) uint16_t[narrowCount * height * narrowWidth]();
    if (!index->narrow) {
        delete index;
        return nullptr;
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (index->narrowOffsets[i] < 0)
            continue;
        Surface::Buffer view;
        glyphs[i].image->getBuffer(&view);
        for (unsigned long y = 0; y < height; ++y)
            std::memcpy(index->narrow + index->narrowOffsets[i] + y * narrowWidth, view.pixels + y * view.width,
                        view.width * sizeof(uint16_t));
    }
    return index;
}

FontIndex::~FontIndex()
{
    delete[] slots;
    delete[] narrow;
    delete[] narrowOffsets;
}
