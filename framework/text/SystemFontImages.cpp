#include "text/SystemFontImages.h"

#include <cstdint>

// PARVOLIN_FONT_FOLDER is this folder, given by the build so that the assembler finds the
// images; a changed image rebuilds this file.
#define PARVOLIN_FONT_IMAGE(symbol, file)                                                                             \
    ".balign 4\n" #symbol ":\n"                                                                                        \
    ".incbin \"" PARVOLIN_FONT_FOLDER "/" file "\"\n" #symbol "_end:\n"

__asm__(".pushsection .rodata\n" PARVOLIN_FONT_IMAGE(parvolin_system_font, "system-font.gif")
            PARVOLIN_FONT_IMAGE(parvolin_system_font_border, "system-font-border.gif") ".popsection\n");

extern "C" {
extern const unsigned char parvolin_system_font[];
extern const unsigned char parvolin_system_font_end[];
extern const unsigned char parvolin_system_font_border[];
extern const unsigned char parvolin_system_font_border_end[];
}

namespace {
size_t bytesBetween(const unsigned char* begin, const unsigned char* end)
{
    return static_cast<size_t>(reinterpret_cast<uintptr_t>(end) - reinterpret_cast<uintptr_t>(begin));
}
} // namespace

namespace SystemFontImages {

const unsigned char* plain(size_t& size)
{
    size = bytesBetween(parvolin_system_font, parvolin_system_font_end);
    return parvolin_system_font;
}

const unsigned char* bordered(size_t& size)
{
    size = bytesBetween(parvolin_system_font_border, parvolin_system_font_border_end);
    return parvolin_system_font_border;
}

} // namespace SystemFontImages
