#include "text/SystemFontImages.h"

#include <cstdint>

// PARVOLIN_FONT_FOLDER is this folder, given by the build so that the assembler finds the
// images; a changed image rebuilds this file. PARVOLIN_DATA_BEGIN and PARVOLIN_DATA_END
// open and close read-only data in the target's assembler (cmake/ParvolinResources.cmake).
#define PARVOLIN_FONT_IMAGE(symbol, file)                                                                             \
    ".balign 4\n" #symbol ":\n"                                                                                        \
    ".incbin \"" PARVOLIN_FONT_FOLDER "/" file "\"\n" #symbol "_end:\n"                                                \
    ".size " #symbol ", " #symbol "_end - " #symbol "\n"

__asm__(PARVOLIN_DATA_BEGIN PARVOLIN_FONT_IMAGE(parvolin_system_font, "system-font.gif")
            PARVOLIN_FONT_IMAGE(parvolin_system_font_border, "system-font-border.gif") PARVOLIN_DATA_END);

// Hidden, as the labels are: with default visibility the compiler reaches them through the
// global offset table, and on aarch64 the linker then gives all four one entry (every size
// came out as zero there).
extern "C" {
__attribute__((visibility("hidden"))) extern const unsigned char parvolin_system_font[];
__attribute__((visibility("hidden"))) extern const unsigned char parvolin_system_font_end[];
__attribute__((visibility("hidden"))) extern const unsigned char parvolin_system_font_border[];
__attribute__((visibility("hidden"))) extern const unsigned char parvolin_system_font_border_end[];
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
