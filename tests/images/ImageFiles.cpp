#include "ImageFiles.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

namespace ImageFiles {

namespace {

void put16(std::string& out, uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string& out, uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

std::string Bmp::bytes() const
{
    std::string info;
    put32(info, headerSize);
    if (headerSize >= 40) {
        put32(info, static_cast<uint32_t>(width));
        put32(info, static_cast<uint32_t>(height));
        put16(info, planes);
        put16(info, bitCount);
        put32(info, compression);
        put32(info, imageSize ? imageSize : static_cast<uint32_t>(pixels.size()));
        info.resize(headerSize, '\0');
    } else {
        put16(info, static_cast<uint32_t>(width));
        put16(info, static_cast<uint32_t>(height));
        put16(info, planes);
        put16(info, bitCount);
        info.resize(headerSize < info.size() ? info.size() : headerSize, '\0');
    }
    for (uint32_t mask : masks)
        put32(info, mask);
    for (uint32_t color : colors) {
        info.push_back(static_cast<char>(color & 0xFF));
        info.push_back(static_cast<char>((color >> 8) & 0xFF));
        info.push_back(static_cast<char>((color >> 16) & 0xFF));
        if (headerSize >= 40)
            info.push_back('\0');
    }
    uint32_t offset = pixelOffset < 0 ? static_cast<uint32_t>(14 + info.size()) : static_cast<uint32_t>(pixelOffset);
    std::string file = "BM";
    put32(file, static_cast<uint32_t>(14 + info.size() + pixels.size()));
    put32(file, 0);
    put32(file, offset);
    return file + info + pixels;
}

std::string padRows(const std::vector<std::string>& rows)
{
    std::string out;
    for (std::string row : rows) {
        row.resize((row.size() + 3) & ~static_cast<size_t>(3), '\0');
        out += row;
    }
    return out;
}

namespace {

void appendToString(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void flushNothing(png_structp) {}

} // namespace

std::string Png::bytes() const
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_color> entries;
    for (uint32_t color : palette)
        entries.push_back(png_color{static_cast<png_byte>(color >> 16), static_cast<png_byte>(color >> 8),
                                    static_cast<png_byte>(color)});
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write the test image";
        return "";
    }
    png_set_write_fn(png, &out, appendToString, flushNothing);
    png_set_IHDR(png, info, width, height, bitDepth, colorType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!entries.empty())
        png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
    png_color_16 value = {};
    if (!transparent.empty()) {
        if (colorType == PNG_COLOR_TYPE_PALETTE) {
            png_set_tRNS(png, info, transparent.data(), static_cast<int>(transparent.size()), nullptr);
        } else {
            auto at = [&](size_t i) { return static_cast<png_uint_16>((transparent[2 * i] << 8) | transparent[2 * i + 1]); };
            if (colorType == PNG_COLOR_TYPE_GRAY) {
                value.gray = at(0);
            } else {
                value.red = at(0);
                value.green = at(1);
                value.blue = at(2);
            }
            png_set_tRNS(png, info, nullptr, 0, &value);
        }
    }
    std::vector<png_bytep> rows(height);
    size_t stride = png_get_rowbytes(png, info);
    std::string copy = samples;
    copy.resize(stride * height, '\0');
    for (uint32_t y = 0; y < height; ++y)
        rows[y] = reinterpret_cast<png_bytep>(&copy[y * stride]);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string twoPixelRgbaPng()
{
    Png png;
    png.width = 2;
    png.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    png.samples = std::string("\x12\x34\x56\x80\xFF\x00\x00\xFF", 8);
    return png.bytes();
}

std::string decodePngSamples(const std::string& file, uint32_t& width, uint32_t& height, int& colorType)
{
    std::string out;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    struct Reader {
        const std::string* data;
        size_t at;
    } reader{&file, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return "";
    }
    png_set_read_fn(png, &reader, [](png_structp p, png_bytep data, png_size_t length) {
        Reader* r = static_cast<Reader*>(png_get_io_ptr(p));
        if (r->at + length > r->data->size())
            png_error(p, "short");
        std::memcpy(data, r->data->data() + r->at, length);
        r->at += length;
    });
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    colorType = png_get_color_type(png, info);
    png_bytepp rows = png_get_rows(png, info);
    size_t stride = png_get_rowbytes(png, info);
    for (uint32_t y = 0; y < height; ++y)
        out.append(reinterpret_cast<const char*>(rows[y]), stride);
    png_destroy_read_struct(&png, &info, nullptr);
    return out;
}

namespace {

int appendGif(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
    return length;
}

ColorMapObject* colorMap(const std::vector<uint32_t>& colors)
{
    if (colors.empty())
        return nullptr;
    std::vector<GifColorType> entries;
    for (uint32_t color : colors)
        entries.push_back(GifColorType{static_cast<GifByteType>(color >> 16), static_cast<GifByteType>(color >> 8),
                                       static_cast<GifByteType>(color)});
    return GifMakeMapObject(static_cast<int>(entries.size()), entries.data());
}

int bitsFor(size_t colors)
{
    int bits = 1;
    while ((1u << bits) < colors)
        ++bits;
    return bits;
}

} // namespace

std::string Gif::bytes() const
{
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendGif, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = colorMap(colors);
    int bits = colors.empty() ? 1 : bitsFor(colors.size());
    EXPECT_EQ(GIF_OK, EGifPutScreenDesc(gif, width, height, bits, background, global));
    for (const GifFrame& frame : frames) {
        if (frame.transparentIndex >= 0) {
            GraphicsControlBlock control = {};
            control.TransparentColor = frame.transparentIndex;
            GifByteType extension[4];
            size_t length = EGifGCBToExtension(&control, extension);
            EXPECT_EQ(GIF_OK, EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
        }
        ColorMapObject* local = colorMap(frame.localColors);
        EXPECT_EQ(GIF_OK, EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced, local));
        // giflib writes lines in the order given: an interlaced frame goes pass by pass.
        std::vector<int> order;
        if (frame.interlaced) {
            const int starts[] = {0, 4, 2, 1};
            const int steps[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = starts[pass]; y < frame.height; y += steps[pass])
                    order.push_back(y);
        } else {
            for (int y = 0; y < frame.height; ++y)
                order.push_back(y);
        }
        for (int y : order) {
            std::vector<GifPixelType> line(frame.indices.begin() + y * frame.width,
                                           frame.indices.begin() + (y + 1) * frame.width);
            EXPECT_EQ(GIF_OK, EGifPutLine(gif, line.data(), frame.width));
        }
        GifFreeMapObject(local);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(global);
    return out;
}

namespace {

struct JpegFailure {
    jpeg_error_mgr manager;
    std::jmp_buf unwind;
};

void jumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegFailure*>(info->err)->unwind, 1); }

} // namespace

std::string Jpeg::bytes() const
{
    jpeg_compress_struct info;
    JpegFailure failure;
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = jumpBack;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(failure.unwind)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        ADD_FAILURE() << "libjpeg could not write the test image";
        return "";
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.write_JFIF_header = jfif ? TRUE : FALSE;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    if (!jfif) {
        static const unsigned char exif[] = "Exif\0\0MM\0*\0\0\0\x08\0\0";
        jpeg_write_marker(&info, JPEG_APP0 + 1, exif, sizeof(exif) - 1);
    }
    std::string copy = samples;
    copy.resize(static_cast<size_t>(width) * height * components, '\0');
    while (info.next_scanline < height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(&copy[static_cast<size_t>(info.next_scanline) * width * components]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return out;
}

std::string decodeJpegSamples(const std::string& file, uint32_t& width, uint32_t& height, int& components)
{
    jpeg_decompress_struct info;
    JpegFailure failure;
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = jumpBack;
    failure.manager.output_message = [](j_common_ptr) {};
    if (setjmp(failure.unwind)) {
        jpeg_destroy_decompress(&info);
        return "";
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(file.data()), file.size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    width = info.output_width;
    height = info.output_height;
    components = info.output_components;
    std::string out(static_cast<size_t>(width) * height * components, '\0');
    while (info.output_scanline < height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(&out[static_cast<size_t>(info.output_scanline) * width * components]);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return out;
}

} // namespace ImageFiles
