#ifndef PARVOLIN_TEST_FRAME_BUFFER_FILE_H
#define PARVOLIN_TEST_FRAME_BUFFER_FILE_H

#include "platform/device/GlassImage.h"

#include <cstdint>
#include <map>
#include <string>

class TempFolder;

// A plain file standing in for a frame buffer (PARVOLIN_FBDEV with PARVOLIN_FBDEV_MODE),
// read back as a person would see the screen: 16 bits as RGB565, 24 bits as bytes blue,
// green, red, 32 bits as XRGB8888.
struct FrameBufferFile {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t lineBytes = 0;

    // "WIDTHxHEIGHTxBITS+LINEBYTES", as PARVOLIN_FBDEV_MODE takes it.
    std::string mode() const;
    // Writes the file at its full size, every byte `fill`.
    bool create(const std::string& path, unsigned char fill) const;
    // The visible pixels as 0x00RRGGBB. False when the file is not of the mode's size, or
    // a byte beyond the visible width of a row (the padding) is not `padding`, or a
    // 32-bit pixel's unused byte is not 0.
    bool read(const std::string& path, unsigned char padding, GlassImage& screen, std::string& problem) const;
};

// Whether `screen` shows `glass` with each glass pixel a square of `scale` pixels and its
// top-left corner at (left, top), black everywhere else; the first difference otherwise.
bool showsGlass(const GlassImage& screen, const GlassImage& glass, int scale, int left, int top,
                std::string& difference);

// A run of `program` under the frame-buffer host compared with a headless run. Both play
// `script` (input for the ticks before `closeTick`, at which the program is closed). The
// first shows the device on `file` (a plain file filled with 0x5A before the run), asked
// for `scale` or finding it, with `variables` added; the second takes a shot
// before `closeTick`, as the first does too. True when the two shots are the same and the
// file shows them with the glass's corner at (left, top), black around it and the rows'
// padding untouched; `difference` says what differs.
bool frameBufferMatchesHeadless(const std::string& program, const std::string& script, unsigned closeTick,
                                const FrameBufferFile& file, int scale, bool scaleAsked, int left, int top,
                                const TempFolder& folder, std::string& difference,
                                const std::map<std::string, std::string>& variables = {});

#endif
