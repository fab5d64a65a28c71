#ifndef PARVOLIN_PNG_DECODER_H
#define PARVOLIN_PNG_DECODER_H

#include "images/ImageDecoder.h"

// PNG files through libpng, read whole with 16-bit samples stripped to 8 and palettes,
// low-depth grey and transparency chunks expanded. Opacity (RGBA and grey-and-alpha)
// fills the alpha plane; images without it get an opaque one.
class PngDecoder : public ImageDecoder {
public:
    long decode(const unsigned char* data, size_t size, Surface* target, Surface* alpha) override;
};

#endif
