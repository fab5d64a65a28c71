#ifndef PARVOLIN_TEST_REFERENCE_DECODER_H
#define PARVOLIN_TEST_REFERENCE_DECODER_H

#include <cstdint>
#include <string>
#include <vector>

// What a clip shows, decoded with libtheora's own decoding interface and converted by the
// conversion formulas written out plainly here, independently of the library's code.
namespace ReferenceDecoder {

// The RGB565 pixel of one luma sample and the chroma samples of its block.
uint16_t pixel(int y, int u, int v);

// Every frame's picture, width x height RGB565 pixels row by row; empty on a failure.
struct Pictures {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::vector<uint16_t>> frames;
};
Pictures decode(const std::string& clip);

} // namespace ReferenceDecoder

#endif
