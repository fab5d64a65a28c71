#ifndef PARVOLIN_JPEG_DECODER_H
#define PARVOLIN_JPEG_DECODER_H

#include "images/ImageDecoder.h"

// JPEG files through libjpeg: grey or RGB output, one scanline at a time. A file that
// breaks off ends with an end-of-image marker supplied in its place, so the rows that
// arrived are kept and the rest is filled in by the library.
class JpegDecoder : public ImageDecoder {
public:
    long decode(const unsigned char* data, size_t size, Surface* target, Surface* alpha) override;
};

#endif
