#ifndef PARVOLIN_IMAGE_DECODER_H
#define PARVOLIN_IMAGE_DECODER_H

#include <cstddef>

class Surface;

// One image format's reader: turns the encoded bytes into RGB565 pixels of `target` and,
// when the format carries opacity and `alpha` is given, an alpha plane in `alpha` (grey
// pixels RGB565(A, A, A)). A decoder that has no opacity leaves `alpha` empty.
class ImageDecoder {
public:
    virtual ~ImageDecoder();
    virtual long decode(const unsigned char* data, size_t size, Surface* target, Surface* alpha) = 0;
};

// Recognises the format and runs its decoder; 12 for an unknown format.
long decodeImage(const unsigned char* data, size_t size, Surface* target, Surface* alpha);

#endif
