// Loads each input as an image through the buffer forms of Surface and SurfaceRGBA.
// Whatever the bytes, the answer is one of the loaders' result codes; a load that succeeds
// gives a surface within the size limit whose every pixel can be read, and a SurfaceRGBA
// whose alpha plane has its size.
#include "core/ResultCodes.h"
#include "graphics/SurfaceRGBA.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "image_load_fuzz: %s\n", what);
    std::abort();
}

bool knownResult(long result)
{
    switch (result) {
    case ResultCode::Ok:
    case ResultCode::OutOfMemory:
    case ResultCode::InvalidSurface:
    case ResultCode::ImageOpenError:
    case ResultCode::UnsupportedImageType:
    case ResultCode::UnknownError:
        return true;
    default:
        return false;
    }
}

// Reads every pixel, so that the sanitizers see each one.
uint32_t checkPixels(Surface& surface)
{
    Surface::Buffer view;
    if (surface.getBuffer(&view) != ResultCode::Ok)
        fail("a loaded surface has no pixels");
    if (view.width == 0 || view.height == 0 || view.width > 8192 || view.height > 8192)
        fail("a loaded surface has a size beyond the limit");
    uint32_t sum = 0;
    for (unsigned long i = 0; i < view.width * view.height; ++i)
        sum += view.pixels[i];
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The buffer forms take a writable pointer; they must not write through it.
    std::vector<unsigned char> bytes(data, data + size);
    static volatile uint32_t sink;

    Surface surface;
    long result = surface.create(bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (!knownResult(result))
        fail("an unexpected result code");
    if (result == ResultCode::Ok)
        sink = checkPixels(surface);
    surface.free();

    SurfaceRGBA rgba;
    result = rgba.create(bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (!knownResult(result))
        fail("an unexpected result code for an alpha surface");
    if (result == ResultCode::Ok) {
        Surface* alpha = rgba.getAlphaSurface();
        if (!alpha || alpha->getWidth() != rgba.getWidth() || alpha->getHeight() != rgba.getHeight())
            fail("the alpha plane does not match the colour plane");
        sink = checkPixels(rgba) + checkPixels(*alpha);
    }
    rgba.free();
    for (size_t i = 0; i < size; ++i)
        if (bytes[i] != data[i])
            fail("the loader wrote into the caller's buffer");
    return 0;
}
