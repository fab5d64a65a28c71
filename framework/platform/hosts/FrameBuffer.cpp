#include "platform/hosts/FrameBuffer.h"

#include "platform/base/HostText.h"

#include <fcntl.h>
#include <linux/fb.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

bool sameField(const FrameBufferFormat::Field& a, const FrameBufferFormat::Field& b)
{
    return a.offset == b.offset && a.length == b.length;
}

bool sameColours(const FrameBufferFormat& a, const FrameBufferFormat& b)
{
    return a.bitsPerPixel == b.bitsPerPixel && sameField(a.red, b.red) && sameField(a.green, b.green) &&
           sameField(a.blue, b.blue);
}

FrameBufferFormat format(uint32_t bits, FrameBufferFormat::Field red, FrameBufferFormat::Field green,
                         FrameBufferFormat::Field blue)
{
    FrameBufferFormat made;
    made.bitsPerPixel = bits;
    made.red = red;
    made.green = green;
    made.blue = blue;
    return made;
}

// The bits of a field no pixel can hold (empty, wider than a channel, or beyond 32 bits)
// stay empty.
bool usable(const FrameBufferFormat::Field& place)
{
    return place.length > 0 && place.length <= 8 && place.offset + place.length <= 32;
}

bool number(const std::string& text, uint32_t& value)
{
    uint64_t read = 0;
    if (!HostText::wholeNumber(text, UINT32_MAX, read))
        return false;
    value = static_cast<uint32_t>(read);
    return true;
}

// A pixel in the frame buffer's own byte order: 16 and 32 bits as the processor stores
// them, 24 bits as bytes blue, green, red (low byte first).
void storePixel(unsigned char* at, uint32_t value, size_t bytes)
{
    if (bytes == 2) {
        uint16_t narrow = static_cast<uint16_t>(value);
        std::memcpy(at, &narrow, 2);
    } else if (bytes == 3) {
        at[0] = static_cast<unsigned char>(value);
        at[1] = static_cast<unsigned char>(value >> 8);
        at[2] = static_cast<unsigned char>(value >> 16);
    } else {
        std::memcpy(at, &value, 4);
    }
}

std::string fieldText(const char* name, const FrameBufferFormat::Field& place)
{
    return std::string(name) + " " + std::to_string(place.length) + " bits at " + std::to_string(place.offset);
}

} // namespace

FrameBufferFormat FrameBufferFormat::rgb565() { return format(16, {11, 5}, {5, 6}, {0, 5}); }
FrameBufferFormat FrameBufferFormat::rgb888() { return format(24, {16, 8}, {8, 8}, {0, 8}); }
FrameBufferFormat FrameBufferFormat::xrgb8888() { return format(32, {16, 8}, {8, 8}, {0, 8}); }
FrameBufferFormat FrameBufferFormat::xbgr8888() { return format(32, {0, 8}, {8, 8}, {16, 8}); }

bool FrameBufferFormat::supported() const
{
    bool noOpacity = transparent.length == 0;
    bool opacityInUnusedByte = bitsPerPixel == 32 && transparent.offset == 24 && transparent.length == 8;
    return (noOpacity || opacityInUnusedByte) &&
           (sameColours(*this, rgb565()) || sameColours(*this, rgb888()) || sameColours(*this, xrgb8888()) ||
            sameColours(*this, xbgr8888()));
}

std::string FrameBufferFormat::describe() const
{
    if (supported()) {
        if (sameColours(*this, rgb565()))
            return "RGB565";
        if (sameColours(*this, rgb888()))
            return "RGB888";
        return sameColours(*this, xrgb8888()) ? "XRGB8888" : "XBGR8888";
    }
    std::string text = std::to_string(bitsPerPixel) + " bits per pixel, " + fieldText("red", red) + ", " +
                       fieldText("green", green) + ", " + fieldText("blue", blue);
    if (transparent.length)
        text += ", " + fieldText("opacity", transparent);
    return text;
}

FrameBufferFormat::Packer FrameBufferFormat::packer() const
{
    // A channel's top `length` bits: the colour shifted right past the channels below it
    // and the bits of its own that are cut.
    Packer made = {};
    const Field* fields[3] = {&red, &green, &blue};
    for (int i = 0; i < 3; ++i) {
        if (!usable(*fields[i]))
            continue;
        made.shift[i] = 8 * (2 - i) + 8 - fields[i]->length;
        made.mask[i] = (1u << fields[i]->length) - 1;
        made.offset[i] = fields[i]->offset;
    }
    if (usable(transparent))
        made.opaque = ((1u << transparent.length) - 1) << transparent.offset;
    return made;
}

bool FrameBufferMode::parse(const std::string& text, FrameBufferMode& mode, std::string& why)
{
    auto refuse = [&](const std::string& what) {
        why = "PARVOLIN_FBDEV_MODE \"" + text + "\" " + what;
        return false;
    };
    size_t plus = text.find('+');
    std::string sides = text.substr(0, plus);
    size_t first = sides.find('x');
    size_t second = first == std::string::npos ? first : sides.find('x', first + 1);
    uint32_t line = 0;
    if (second == std::string::npos || !number(sides.substr(0, first), mode.width) ||
        !number(sides.substr(first + 1, second - first - 1), mode.height) ||
        !number(sides.substr(second + 1), mode.bitsPerPixel) ||
        (plus != std::string::npos && !number(text.substr(plus + 1), line)))
        return refuse("is not WIDTHxHEIGHTxBITS or WIDTHxHEIGHTxBITS+LINEBYTES (whole numbers)");
    if (mode.bitsPerPixel != 16 && mode.bitsPerPixel != 24 && mode.bitsPerPixel != 32)
        return refuse("has " + std::to_string(mode.bitsPerPixel) + " bits per pixel; it must be 16, 24 or 32");
    if (mode.width == 0 || mode.height == 0)
        return refuse("has a side of no pixels");
    uint64_t needed = uint64_t(mode.width) * mode.bitsPerPixel / 8;
    if (plus == std::string::npos)
        line = needed > UINT32_MAX ? 0 : static_cast<uint32_t>(needed);
    else if (line < needed)
        return refuse("has lines of " + std::to_string(line) + " bytes; " + std::to_string(mode.width) +
                      " pixels of " + std::to_string(mode.bitsPerPixel) + " bits need " + std::to_string(needed));
    if (line == 0 || uint64_t(line) * mode.height > maxBytes)
        return refuse("is larger than a frame buffer can be here (" + std::to_string(maxBytes >> 20) + " MiB)");
    mode.lineBytes = line;
    return true;
}

FrameBuffer::~FrameBuffer()
{
    if (mapping)
        munmap(mapping, mappingBytes);
    if (fd >= 0)
        close(fd);
}

bool FrameBuffer::map(int device, size_t bytes, size_t firstByte, const std::string& path, std::string& why)
{
    void* mapped = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, device, 0);
    if (mapped == MAP_FAILED) {
        why = path + " cannot be mapped: " + std::strerror(errno);
        return false;
    }
    fd = device;
    mapping = static_cast<unsigned char*>(mapped);
    mappingBytes = bytes;
    visible = mapping + firstByte;
    return true;
}

bool FrameBuffer::open(const std::string& path, const FrameBufferMode* mode, std::string& why)
{
    if (mapping)
        return true;
    int device = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (device < 0) {
        why = path + " cannot be opened: " + std::strerror(errno);
        return false;
    }
    auto refuse = [&](const std::string& what) {
        close(device);
        why = what;
        return false;
    };
    struct stat status;
    if (fstat(device, &status) != 0)
        return refuse(path + " cannot be examined: " + std::strerror(errno));

    if (mode) {
        if (!S_ISREG(status.st_mode) && !S_ISCHR(status.st_mode))
            return refuse(path + " is neither a frame buffer device nor a plain file");
        shape.width = mode->width;
        shape.height = mode->height;
        shape.lineBytes = mode->lineBytes;
        shape.format = mode->bitsPerPixel == 16   ? FrameBufferFormat::rgb565()
                       : mode->bitsPerPixel == 24 ? FrameBufferFormat::rgb888()
                                                  : FrameBufferFormat::xrgb8888();
        size_t bytes = static_cast<size_t>(uint64_t(mode->lineBytes) * mode->height);
        if (S_ISREG(status.st_mode) && static_cast<uint64_t>(status.st_size) != bytes &&
            ftruncate(device, static_cast<off_t>(bytes)) != 0)
            return refuse(path + " cannot be sized to " + std::to_string(bytes) + " bytes: " + std::strerror(errno));
        return map(device, bytes, 0, path, why) || refuse(why);
    }

    fb_var_screeninfo variable;
    fb_fix_screeninfo fixed;
    std::memset(&variable, 0, sizeof(variable));
    std::memset(&fixed, 0, sizeof(fixed));
    if (ioctl(device, FBIOGET_VSCREENINFO, &variable) != 0 || ioctl(device, FBIOGET_FSCREENINFO, &fixed) != 0)
        return refuse(path + " is not a frame buffer (" + std::strerror(errno) +
                      "); PARVOLIN_FBDEV_MODE=WIDTHxHEIGHTxBITS gives the geometry of one that cannot say");
    FrameBufferFormat found;
    found.bitsPerPixel = variable.bits_per_pixel;
    found.red = {variable.red.offset, variable.red.length};
    found.green = {variable.green.offset, variable.green.length};
    found.blue = {variable.blue.offset, variable.blue.length};
    found.transparent = {variable.transp.offset, variable.transp.length};
    bool packed = fixed.type == FB_TYPE_PACKED_PIXELS &&
                  (fixed.visual == FB_VISUAL_TRUECOLOR || fixed.visual == FB_VISUAL_DIRECTCOLOR);
    bool straight = !variable.red.msb_right && !variable.green.msb_right && !variable.blue.msb_right;
    if (!packed || variable.grayscale || variable.nonstd || !straight || !found.supported()) {
        std::string what = found.describe();
        if (!packed)
            what += " (frame buffer type " + std::to_string(fixed.type) + ", visual " + std::to_string(fixed.visual) +
                    ")";
        else if (variable.grayscale)
            what += " (grey levels)";
        else if (variable.nonstd || !straight)
            what += " (a non-standard layout)";
        return refuse(path + " has pixels of a format this host does not write: " + what +
                      "; it writes RGB565, RGB888, XRGB8888 and XBGR8888");
    }
    uint32_t bytesPerPixel = found.bitsPerPixel / 8;
    uint64_t line = fixed.line_length ? fixed.line_length : uint64_t(variable.xres_virtual) * bytesPerPixel;
    uint64_t first = uint64_t(variable.yoffset) * line + uint64_t(variable.xoffset) * bytesPerPixel;
    uint64_t needed = variable.yres == 0 ? 0 : first + (variable.yres - 1) * line + uint64_t(variable.xres) * bytesPerPixel;
    // Only what the visible screen needs is mapped: a driver may report all of its video
    // memory.
    if (variable.xres == 0 || variable.yres == 0 || line < uint64_t(variable.xres) * bytesPerPixel ||
        (fixed.smem_len && needed > fixed.smem_len) || needed > FrameBufferMode::maxBytes)
        return refuse(path + " reports a geometry that does not fit its memory (" + std::to_string(variable.xres) +
                      "x" + std::to_string(variable.yres) + ", lines of " + std::to_string(line) + " bytes, " +
                      std::to_string(fixed.smem_len) + " bytes); PARVOLIN_FBDEV_MODE can give the right one");
    shape.width = variable.xres;
    shape.height = variable.yres;
    shape.lineBytes = static_cast<uint32_t>(line);
    shape.format = found;
    return map(device, static_cast<size_t>(needed), static_cast<size_t>(first), path, why) || refuse(why);
}

void FrameBuffer::clear()
{
    uint32_t black = shape.format.pack(0);
    for (uint32_t y = 0; y < shape.height; ++y)
        for (uint32_t x = 0; x < shape.width; ++x)
            store(static_cast<int32_t>(x), static_cast<int32_t>(y), black);
}

void FrameBuffer::store(int32_t x, int32_t y, uint32_t value)
{
    const size_t pixelBytes = shape.format.bitsPerPixel / 8;
    storePixel(visible + static_cast<size_t>(y) * shape.lineBytes + static_cast<size_t>(x) * pixelBytes, value,
               pixelBytes);
}

namespace {
// One glass row as screen pixels: glass columns from `firstColumn`, each `scale` pixels
// wide but the first, of which the screen's edge may leave only `firstWidth`, until
// `width` pixels are written.
template <size_t Bytes>
void widenRow(const uint32_t* glassRow, uint32_t glassWidth, uint32_t firstColumn, int32_t firstWidth,
              int32_t scale, int32_t width, const FrameBufferFormat::Packer& pack, unsigned char* out)
{
    int32_t written = 0;
    for (uint32_t column = firstColumn; column < glassWidth && written < width; ++column) {
        uint32_t value = pack(glassRow[column]);
        int32_t repeat = std::min(column == firstColumn ? firstWidth : scale, width - written);
        for (int32_t i = 0; i < repeat; ++i, out += Bytes)
            storePixel(out, value, Bytes);
        written += repeat;
    }
}
} // namespace

void FrameBuffer::drawGlass(const GlassImage& glass, const GlassPlacement& placement)
{
    if (!visible || glass.width == 0 || glass.pixels.size() != size_t(glass.width) * glass.height)
        return;
    int32_t left = placement.shownLeft(), right = std::min<int32_t>(placement.shownRight(), shape.width);
    int32_t top = placement.shownTop(), bottom = std::min<int32_t>(placement.shownBottom(), shape.height);
    int32_t scale = std::max(1, placement.scale);
    if (left >= right || top >= bottom)
        return;
    const size_t pixelBytes = shape.format.bitsPerPixel / 8;
    const int32_t width = right - left;
    const FrameBufferFormat::Packer pack = shape.format.packer();
    row.resize(static_cast<size_t>(width) * pixelBytes);
    // The glass column at the left edge, and how much of it is seen there.
    uint32_t firstColumn = static_cast<uint32_t>((left - placement.left) / scale);
    int32_t firstWidth = placement.left + static_cast<int32_t>(firstColumn + 1) * scale - left;
    // Each glass row is widened once into one screen row, which is copied to the screen
    // rows of its scale.
    for (int32_t y = top; y < bottom;) {
        uint32_t glassY = static_cast<uint32_t>((y - placement.top) / scale);
        if (glassY >= glass.height)
            break;
        const uint32_t* glassRow = glass.pixels.data() + size_t(glassY) * glass.width;
        if (pixelBytes == 2)
            widenRow<2>(glassRow, glass.width, firstColumn, firstWidth, scale, width, pack, row.data());
        else if (pixelBytes == 3)
            widenRow<3>(glassRow, glass.width, firstColumn, firstWidth, scale, width, pack, row.data());
        else
            widenRow<4>(glassRow, glass.width, firstColumn, firstWidth, scale, width, pack, row.data());
        int32_t rowsOfThisGlassRow = placement.top + static_cast<int32_t>(glassY + 1) * scale - y;
        for (int32_t copy = 0; copy < rowsOfThisGlassRow && y < bottom; ++copy, ++y)
            std::memcpy(visible + static_cast<size_t>(y) * shape.lineBytes + static_cast<size_t>(left) * pixelBytes,
                        row.data(), row.size());
    }
}

void FrameBuffer::drawPointer(int32_t x, int32_t y, const GlassPlacement& placement)
{
    // An arrow with its tip at the top left: a black outline around white.
    static const char* const arrow[] = {
        "X",         "XX",        "X.X",       "X..X",      "X...X",     "X....X",   "X.....X",
        "X......X",  "X...XXXXX", "X..X",      "X.X",       "XX",        "X",
    };
    int32_t left = placement.shownLeft(), right = std::min<int32_t>(placement.shownRight(), shape.width);
    int32_t top = placement.shownTop(), bottom = std::min<int32_t>(placement.shownBottom(), shape.height);
    uint32_t black = shape.format.pack(0), white = shape.format.pack(0xFFFFFF);
    int32_t rowIndex = 0;
    for (const char* line : arrow) {
        int32_t screenY = y + rowIndex++;
        for (int32_t column = 0; line[column]; ++column) {
            int32_t screenX = x + column;
            if (line[column] == ' ' || screenX < left || screenX >= right || screenY < top || screenY >= bottom)
                continue;
            store(screenX, screenY, line[column] == 'X' ? black : white);
        }
    }
}
