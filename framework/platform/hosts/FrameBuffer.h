#ifndef PARVOLIN_FRAME_BUFFER_H
#define PARVOLIN_FRAME_BUFFER_H

#include "platform/device/GlassImage.h"
#include "platform/device/GlassPlacement.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How a Linux frame buffer stores a pixel: its size and where red, green, blue (and an
// opacity, when it has one) lie in it, as the driver's bit fields say.
struct FrameBufferFormat {
    struct Field {
        uint32_t offset = 0;
        uint32_t length = 0;
    };
    uint32_t bitsPerPixel = 0;
    Field red, green, blue, transparent;

    static FrameBufferFormat rgb565();
    static FrameBufferFormat rgb888();    // 24 bits: bytes blue, green, red
    static FrameBufferFormat xrgb8888();  // 32 bits: bytes blue, green, red, unused
    static FrameBufferFormat xbgr8888();  // 32 bits: bytes red, green, blue, unused

    // Whether the host writes this format: RGB565, RGB888, XRGB8888 and XBGR8888 (with or
    // without an opacity in the unused byte).
    bool supported() const;
    // "RGB565", or the bits and fields of a format without a name.
    std::string describe() const;
    // The stored value of a colour 0x00RRGGBB, each channel cut to its field's length; an
    // opacity field is all ones (opaque).
    uint32_t pack(uint32_t rgb) const { return packer()(rgb); }

    // pack() with its shifts and masks worked out once, for a frame's worth of pixels.
    struct Packer {
        uint32_t shift[3], mask[3], offset[3];  // red, green, blue
        uint32_t opaque;
        uint32_t operator()(uint32_t rgb) const
        {
            return (((rgb >> shift[0]) & mask[0]) << offset[0]) | (((rgb >> shift[1]) & mask[1]) << offset[1]) |
                   (((rgb >> shift[2]) & mask[2]) << offset[2]) | opaque;
        }
    };
    Packer packer() const;
};

// PARVOLIN_FBDEV_MODE=WIDTHxHEIGHTxBITS[+LINEBYTES]: the geometry where the ioctls cannot
// give it. 16 bits are RGB565, 24 bits RGB888, 32 bits XRGB8888; LINEBYTES is the byte
// distance of one row from the next (by default WIDTH x BITS / 8).
struct FrameBufferMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t lineBytes = 0;

    // Most bytes a frame buffer may have here.
    static constexpr uint64_t maxBytes = 256u << 20;

    // False with `why` naming the value and what is wrong with it.
    static bool parse(const std::string& text, FrameBufferMode& mode, std::string& why);
};

// The screen as the frame buffer holds it.
struct FrameBufferGeometry {
    uint32_t width = 0;      // visible pixels
    uint32_t height = 0;
    uint32_t lineBytes = 0;  // from one row to the next
    FrameBufferFormat format;
};

// A Linux frame buffer device (or a plain file standing in for one), mapped, and the glass
// drawn on it scaled and placed, black around it, with a mouse pointer on top when asked.
class FrameBuffer {
public:
    FrameBuffer() = default;
    ~FrameBuffer();
    FrameBuffer(const FrameBuffer&) = delete;
    FrameBuffer& operator=(const FrameBuffer&) = delete;

    // Opens and maps `path`. Its geometry comes from `mode` when one is given (a plain file
    // is then sized to it), else from FBIOGET_VSCREENINFO and FBIOGET_FSCREENINFO. False
    // with `why`, naming the path, when it cannot be used; nothing was changed or created
    // then.
    bool open(const std::string& path, const FrameBufferMode* mode, std::string& why);

    const FrameBufferGeometry& geometry() const { return shape; }
    // The first byte of visible pixel (0, 0).
    unsigned char* pixels() const { return visible; }

    // Every visible pixel black.
    void clear();
    // The glass at its place (only what lies on the screen). The rows' padding, beyond
    // the visible width, is never written.
    void drawGlass(const GlassImage& glass, const GlassPlacement& placement);
    // The mouse pointer with its tip at screen pixel (x, y), cut to the glass's place.
    void drawPointer(int32_t x, int32_t y, const GlassPlacement& placement);

private:
    bool map(int fd, size_t bytes, size_t firstByte, const std::string& path, std::string& why);
    void store(int32_t x, int32_t y, uint32_t value);

    int fd = -1;
    unsigned char* mapping = nullptr;
    size_t mappingBytes = 0;
    unsigned char* visible = nullptr;
    FrameBufferGeometry shape;
    std::vector<unsigned char> row;  // one screen row of the glass, reused
};

#endif
