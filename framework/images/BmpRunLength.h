#ifndef PARVOLIN_BMP_RUN_LENGTH_H
#define PARVOLIN_BMP_RUN_LENGTH_H

#include "images/BmpLayout.h"
#include "images/DecodeTarget.h"

// Expands run-length bitmap data (4 or 8 bits an index) into a sized target. Pixels the
// data never reaches keep colour 0. Whatever the escapes say, nothing is written outside
// the image and nothing is read past the data.
void expandRunLength(const BmpLayout& layout, DecodeTarget& rows);

#endif
