#ifndef PARVOLIN_SYSTEM_FONT_IMAGES_H
#define PARVOLIN_SYSTEM_FONT_IMAGES_H

#include <cstddef>

// The GIF images of the two built-in fonts (system-font.gif and system-font-border.gif
// beside this file), assembled into the library when it is built.
namespace SystemFontImages {

const unsigned char* plain(size_t& size);
const unsigned char* bordered(size_t& size);

} // namespace SystemFontImages

#endif
