#ifndef PARVOLIN_BMP_WRITER_H
#define PARVOLIN_BMP_WRITER_H

#include "images/ImageOutput.h"

class Surface;

// A 16-bit bit-field bitmap of the surface's RGB565 pixels as stored, rows bottom-up and
// padded to 4 bytes. The output is opened here and closed at the end; 10 when it cannot
// be opened or a write fails (a full disk must not pass for a saved picture).
long writeBmp(Surface* surface, ImageOutput& output);

#endif
