#ifndef PARVOLIN_BLIT_ROWS_H
#define PARVOLIN_BLIT_ROWS_H

#include "pixels/VectorKernels.h"

#include <cstddef>
#include <cstdint>

class Shader;

// What every blit does to one row once it has its source pixels (and alpha pixels):
// shade, then store or blend. The built-in shaders take a row kernel; every shader of a
// game's own class (even one derived from a built-in), and a font shader with an inner
// shader, runs pixel by pixel through its internalProcess.
class BlitRows {
public:
    // Pixels a blit stages at a time when it needs a buffer of its own.
    static constexpr size_t chunk = 256;

    // A shader as its rows take it, looked at once per blit rather than once per row.
    struct Shading {
        enum Kind : uint8_t { Copy, Keyed, FillKeyed, FillBackground, Blend, Fill, Channels, PerPixel };
        Kind kind;
        uint16_t key;
        uint16_t color;
        uint32_t weight;
        ChannelShading channels;
        Shader* shader;
    };
    static Shading prepare(Shader* shader);

    // row[i] = shader.internalProcess(row[i], source[i]) for i < count.
    static void shade(const Shading& shading, uint16_t* row, const uint16_t* source, size_t count);
    static void shade(Shader& shader, uint16_t* row, const uint16_t* source, size_t count);
    // The same over `height` rows of `width` pixels, the row kernel chosen once: small
    // sprites and glyphs spend more on choosing than on their pixels.
    static void shadeBlock(const Shading& shading, uint16_t* rows, long rowPitch, const uint16_t* source,
                           long sourcePitch, size_t width, size_t height);

    // The destination row receives the source row: copied, shaded, blended by the weights
    // of `alpha` (null: none), or shaded and then blended.
    static void compose(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count,
                        const Shading& shading);
    static void compose(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count, Shader* shader);
};

#endif
