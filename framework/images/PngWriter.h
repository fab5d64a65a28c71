#ifndef PARVOLIN_PNG_WRITER_H
#define PARVOLIN_PNG_WRITER_H

#include "images/ImageOutput.h"

class Surface;

// An 8-bit PNG of the surface: RGB, or RGBA when an alpha plane is given. Channels are
// the RGB565 fields moved to the top of a byte (low bits zero); the opacity byte is the
// alpha pixel shifted right by 3. 10 when the output cannot be opened or libpng fails.
long writePng(Surface* surface, Surface* alpha, ImageOutput& output);

#endif
