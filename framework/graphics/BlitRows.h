#ifndef PARVOLIN_BLIT_ROWS_H
#define PARVOLIN_BLIT_ROWS_H

#include <cstddef>
#include <cstdint>

class Shader;

// What every blit does to one row once it has its source pixels (and alpha pixels):
// shade, then store or blend. The built-in shaders that sprites and text use most take a
// row kernel; every other shader, and every shader of a game's own class (even one
// derived from a built-in), runs pixel by pixel through its internalProcess.
class BlitRows {
public:
    // Pixels a blit stages at a time when it needs a buffer of its own.
    static constexpr size_t chunk = 256;

    // row[i] = shader.internalProcess(row[i], source[i]) for i < count.
    static void shade(Shader& shader, uint16_t* row, const uint16_t* source, size_t count);

    // The destination row receives the source row: copied, shaded, blended by the weights
    // of `alpha` (null: none), or shaded and then blended.
    static void compose(uint16_t* row, const uint16_t* source, const uint16_t* alpha, size_t count, Shader* shader);
};

#endif
