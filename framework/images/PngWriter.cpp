#include "images/PngWriter.h"

#include "core/ResultCodes.h"
#include "pixels/PixelRules.h"
#include "graphics/Surface.h"

#include <png.h>

namespace {

[[noreturn]] void fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignoreWarning(png_structp, png_const_charp) {}

void writeToOutput(png_structp png, png_bytep bytes, png_size_t count)
{
    if (!static_cast<ImageOutput*>(png_get_io_ptr(png))->write(bytes, count))
        png_error(png, "Write error");
}

void flushNothing(png_structp) {}

// One row of the image as 8-bit samples.
void packRow(const Surface::Buffer& color, const Surface::Buffer* alpha, unsigned long y, png_bytep out)
{
    const unsigned short* pixels = color.pixels + y * color.width;
    const unsigned short* opacity = alpha ? alpha->pixels + y * alpha->width : nullptr;
    for (unsigned long x = 0; x < color.width; ++x) {
        *out++ = static_cast<png_byte>(PixelRules::red8(pixels[x]));
        *out++ = static_cast<png_byte>(PixelRules::green8(pixels[x]));
        *out++ = static_cast<png_byte>(PixelRules::blue8(pixels[x]));
        if (opacity)
            *out++ = static_cast<png_byte>(opacity[x] >> 3);
    }
}

// The one function libpng may jump back into. `row` comes from libpng's allocator and is
// freed by the caller.
bool writeWhole(png_structp png, png_infop info, const Surface::Buffer& color, const Surface::Buffer* alpha,
                png_bytep row, ImageOutput* output)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, output, writeToOutput, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(color.width), static_cast<png_uint_32>(color.height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (unsigned long y = 0; y < color.height; ++y) {
        packRow(color, alpha, y, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

} // namespace

long writePng(Surface* surface, Surface* alphaSurface, ImageOutput& output)
{
    Surface::Buffer color;
    Surface::Buffer alpha;
    if (surface->getBuffer(&color) != ResultCode::Ok)
        return ResultCode::ImageSaveError;
    // An alpha plane of another size than the colour plane cannot pair its pixels up.
    if (alphaSurface && (alphaSurface->getBuffer(&alpha) != ResultCode::Ok || alpha.width != color.width ||
                         alpha.height != color.height))
        return ResultCode::ImageSaveError;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, ignoreWarning);
    if (!png)
        return ResultCode::ImageSaveError;
    png_infop info = png_create_info_struct(png);
    const size_t channels = alphaSurface ? 4 : 3;
    png_bytep row = info ? static_cast<png_bytep>(png_malloc_warn(png, color.width * channels)) : nullptr;
    bool written = row && output.open();
    if (written)
        written = writeWhole(png, info, color, alphaSurface ? &alpha : nullptr, row, &output);
    output.close();
    png_free(png, row);
    png_destroy_write_struct(&png, &info);
    return written ? ResultCode::Ok : ResultCode::ImageSaveError;
}
