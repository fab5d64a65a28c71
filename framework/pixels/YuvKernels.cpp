#include "pixels/YuvKernels.h"

#include "pixels/PixelRules.h"
#include "pixels/VectorKernels.h"

namespace YuvKernels {

namespace plain {

void convertRowPair(uint16_t* top, uint16_t* bottom, const uint8_t* yTop, const uint8_t* yBottom, const uint8_t* u,
                    const uint8_t* v, size_t pairs)
{
    for (size_t i = 0; i < pairs; ++i) {
        const PixelRules::ChromaTerms chroma = PixelRules::chromaTerms(u[i], v[i]);
        top[2 * i] = PixelRules::yuvToNative(yTop[2 * i], chroma);
        top[2 * i + 1] = PixelRules::yuvToNative(yTop[2 * i + 1], chroma);
        bottom[2 * i] = PixelRules::yuvToNative(yBottom[2 * i], chroma);
        bottom[2 * i + 1] = PixelRules::yuvToNative(yBottom[2 * i + 1], chroma);
    }
}

} // namespace plain

void convertRowPair(uint16_t* top, uint16_t* bottom, const uint8_t* yTop, const uint8_t* yBottom, const uint8_t* u,
                    const uint8_t* v, size_t pairs)
{
    if (auto kernel = vectorKernels().yuvRowPair)
        kernel(top, bottom, yTop, yBottom, u, v, pairs);
    else
        plain::convertRowPair(top, bottom, yTop, yBottom, u, v, pairs);
}

namespace {
// 4:2:2 and 4:4:4, pixel by pixel on the plain rule: the layouts the vector kernels do not
// speed up.
void convertAnyLayout(const Picture& picture, uint16_t* target, long pitch)
{
    for (unsigned long row = 0; row < picture.height; ++row) {
        const uint8_t* y = picture.y + static_cast<long>(row) * picture.yStride;
        const long chromaRow = static_cast<long>(row >> picture.chromaShiftY) * picture.uvStride;
        const uint8_t* u = picture.u + chromaRow;
        const uint8_t* v = picture.v + chromaRow;
        uint16_t* out = target + static_cast<long>(row) * pitch;
        for (unsigned long x = 0; x < picture.width; ++x) {
            const unsigned long c = x >> picture.chromaShiftX;
            out[x] = PixelRules::yuvToNative(y[x], PixelRules::chromaTerms(u[c], v[c]));
        }
    }
}
} // namespace

void convert(const Picture& picture, uint16_t* target, long pitch)
{
    if (picture.chromaShiftX != 1 || picture.chromaShiftY != 1) {
        convertAnyLayout(picture, target, pitch);
        return;
    }
    const size_t pairs = picture.width / 2;
    const bool oddColumn = picture.width & 1;
    const unsigned long last = picture.width - 1;
    for (unsigned long row = 0; row < picture.height; row += 2) {
        const uint8_t* yTop = picture.y + static_cast<long>(row) * picture.yStride;
        const uint8_t* u = picture.u + static_cast<long>(row / 2) * picture.uvStride;
        const uint8_t* v = picture.v + static_cast<long>(row / 2) * picture.uvStride;
        uint16_t* top = target + static_cast<long>(row) * pitch;
        // An odd last row is its own pair: written twice, the same pixels.
        const bool single = row + 1 == picture.height;
        const uint8_t* yBottom = single ? yTop : yTop + picture.yStride;
        uint16_t* bottom = single ? top : top + pitch;
        convertRowPair(top, bottom, yTop, yBottom, u, v, pairs);
        if (oddColumn) {
            const PixelRules::ChromaTerms chroma = PixelRules::chromaTerms(u[pairs], v[pairs]);
            top[last] = PixelRules::yuvToNative(yTop[last], chroma);
            bottom[last] = PixelRules::yuvToNative(yBottom[last], chroma);
        }
    }
}

} // namespace YuvKernels
