#ifndef PARVOLIN_YUV_KERNELS_H
#define PARVOLIN_YUV_KERNELS_H

#include <cstddef>
#include <cstdint>

// Y'CbCr pictures (decoded video) converted into RGB565 pixels by the rule in
// PixelRules.h: 4:2:0 (one 2x2 block per U and V sample), 4:2:2 (2x1) and 4:4:4 (1x1).
namespace YuvKernels {

// A picture inside decoded planes: every pointer is at the picture's top-left sample, and
// strides may be negative (decoders keep their planes bottom-up).
struct Picture {
    const uint8_t* y;
    const uint8_t* u;
    const uint8_t* v;
    long yStride;
    long uvStride;
    unsigned long width;
    unsigned long height;
    // How many luma samples one chroma sample covers, as a power of two across and down:
    // 4:2:0 is (1, 1), 4:2:2 (1, 0), 4:4:4 (0, 0).
    unsigned chromaShiftX = 1;
    unsigned chromaShiftY = 1;
};

// Two luma rows sharing one chroma row: `pairs` blocks, the top pixels of each block into
// `top`, the bottom ones into `bottom`.
void convertRowPair(uint16_t* top, uint16_t* bottom, const uint8_t* yTop, const uint8_t* yBottom, const uint8_t* u,
                    const uint8_t* v, size_t pairs);

// The whole picture into width x height target pixels whose rows are `pitch` pixels apart.
// An odd last column or row takes the chroma of the block it starts; nothing outside
// width x height is written.
void convert(const Picture& picture, uint16_t* target, long pitch);

// The same on the plain path only, whatever kernels the processor has.
namespace plain {
void convertRowPair(uint16_t* top, uint16_t* bottom, const uint8_t* yTop, const uint8_t* yBottom, const uint8_t* u,
                    const uint8_t* v, size_t pairs);
} // namespace plain

} // namespace YuvKernels

#endif
