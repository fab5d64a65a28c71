#ifndef PARVOLIN_GIF_FRAME_CHECK_H
#define PARVOLIN_GIF_FRAME_CHECK_H

#include <cstddef>

// giflib reads every frame of a file whole, allocating each frame's raster from the sizes
// its descriptor claims. This walks the blocks beforehand and refuses a file whose frames
// claim a side above the image limit or more pixels in all than a handheld could hold,
// so that a few bytes cannot make giflib ask for gigabytes. A stream that breaks off is
// left to giflib to refuse.
bool gifFramesFit(const unsigned char* data, size_t size);

#endif
