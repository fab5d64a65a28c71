#ifndef PARVOLIN_BMP_DECODER_H
#define PARVOLIN_BMP_DECODER_H

#include "images/ImageDecoder.h"

// Bitmap files, our own reader: 1, 4 and 8 bits with a colour table (4 and 8 also
// run-length encoded), 16 and 32 bits with channel masks, 24 bits. Rows stored bottom-up
// or, with a negative height, top-down.
class BmpDecoder : public ImageDecoder {
public:
    long decode(const unsigned char* data, size_t size, Surface* target, Surface* alpha) override;
};

#endif
