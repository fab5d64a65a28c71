#include "images/PngDecoder.h"

#include "core/ResultCodes.h"
#include "images/DecodeTarget.h"
#include "images/MemoryReader.h"
#include "images/PixelRows.h"

#include <png.h>

namespace {

constexpr size_t signatureBytes = 8;

// libpng's errors jump back into readWhole; nothing is logged.
[[noreturn]] void fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignoreWarning(png_structp, png_const_charp) {}

void readFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    if (static_cast<MemoryReader*>(png_get_io_ptr(png))->read(out, count) != count)
        png_error(png, "Read error");
}

// The one function libpng may jump back into.
bool readWhole(png_structp png, png_infop info, MemoryReader* reader)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    // libpng refuses larger images itself, before it allocates their rows.
    png_set_user_limits(png, DecodeTarget::maxSide, DecodeTarget::maxSide);
    png_set_read_fn(png, reader, readFromMemory);
    png_set_sig_bytes(png, static_cast<int>(signatureBytes));
    png_read_png(png, info, PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_EXPAND, nullptr);
    return true;
}

// The grey levels of one- and two-channel images: the ramp, or the file's own palette
// when it carries a full one.
void greyLevels(png_structp png, png_infop info, PixelRows::ColorTable& table)
{
    table.setGreyRamp();
    png_colorp palette = nullptr;
    int entries = 0;
    if (png_get_PLTE(png, info, &palette, &entries) && entries == 256) {
        for (int i = 0; i < 256; ++i)
            table.set(static_cast<size_t>(i), palette[i].red, palette[i].green, palette[i].blue);
    }
}

long convert(png_structp png, png_infop info, png_bytepp rows, DecodeTarget& color, DecodeTarget* alpha)
{
    const size_t width = color.width();
    const int channels = png_get_channels(png, info);
    PixelRows::ColorTable grey;
    if (channels == 1 || channels == 2)
        greyLevels(png, info, grey);
    else if (channels != 3 && channels != 4)
        return ResultCode::UnsupportedImageType;
    for (unsigned long y = 0; y < color.height(); ++y) {
        const png_bytep in = rows[y];
        switch (channels) {
        case 1:
            grey.lookUp(in, 1, width, color.row(y));
            break;
        case 2:
            grey.lookUp(in, 2, width, color.row(y));
            break;
        case 3:
            PixelRows::packRgb(in, width, color.row(y));
            break;
        case 4:
            PixelRows::packRgbx(in, width, color.row(y));
            break;
        }
        if (!alpha)
            continue;
        // Grey-and-alpha keeps its opacity like RGBA does.
        if (channels == 2 || channels == 4)
            PixelRows::opacity(in + channels - 1, static_cast<size_t>(channels), width, alpha->row(y));
        else
            PixelRows::opaque(width, alpha->row(y));
    }
    return ResultCode::Ok;
}

} // namespace

long PngDecoder::decode(const unsigned char* data, size_t size, Surface* target, Surface* alphaTarget)
{
    if (size < signatureBytes || png_sig_cmp(data, 0, signatureBytes) != 0)
        return ResultCode::UnsupportedImageType;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    MemoryReader reader{data + signatureBytes, data + size};
    long result = ResultCode::Ok;
    png_bytepp rows = nullptr;
    if (!info || !readWhole(png, info, &reader) || !(rows = png_get_rows(png, info)))
        result = ResultCode::ImageOpenError;
    DecodeTarget color(target);
    DecodeTarget alpha(alphaTarget);
    if (result == ResultCode::Ok)
        result = color.size(png_get_image_width(png, info), png_get_image_height(png, info));
    if (result == ResultCode::Ok && alphaTarget) {
        result = alpha.size(color.width(), color.height());
        if (result != ResultCode::Ok)
            target->free();
    }
    if (result == ResultCode::Ok && png_get_bit_depth(png, info) != 8)
        result = ResultCode::UnsupportedImageType;
    if (result == ResultCode::Ok)
        result = convert(png, info, rows, color, alphaTarget ? &alpha : nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return result;
}
