#ifndef PARVOLIN_GIF_DECODER_H
#define PARVOLIN_GIF_DECODER_H

#include "images/ImageDecoder.h"

// GIF files through giflib: the first image placed on the logical screen, coloured by
// the global colour map. Transparency and further frames are ignored.
class GifDecoder : public ImageDecoder {
public:
    long decode(const unsigned char* data, size_t size, Surface* target, Surface* alpha) override;
};

#endif
