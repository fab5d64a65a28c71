// Loading a 1024x1024 PNG and JPEG into a Surface, against the same library decoding the
// same bytes into its own RGB rows with no conversion: the difference is what the RGB565
// conversion and the surface cost. The conversion alone is measured against SDL2's.
#include "BenchRatios.h"

#include "graphics/Surface.h"
#include "images/PixelRows.h"

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace {

constexpr int side = 1024;

// A picture with smooth gradients and a little grain, like a photograph: neither trivially
// compressible nor noise.
std::vector<unsigned char> picture()
{
    std::vector<unsigned char> rgb(static_cast<size_t>(side) * side * 3);
    std::mt19937 random(5);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            unsigned char* p = &rgb[(static_cast<size_t>(y) * side + x) * 3];
            int grain = static_cast<int>(random() % 9) - 4;
            p[0] = static_cast<unsigned char>(std::clamp(x / 4 + grain, 0, 255));
            p[1] = static_cast<unsigned char>(std::clamp(y / 4 + grain, 0, 255));
            p[2] = static_cast<unsigned char>(std::clamp(((x ^ y) & 0xFF) / 2 + 64 + grain, 0, 255));
        }
    return rgb;
}

void appendPng(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

std::string encodePng(const std::vector<unsigned char>& rgb)
{
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendPng, nullptr);
    png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < side; ++y)
        png_write_row(png, &rgb[static_cast<size_t>(y) * side * 3]);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string encodeJpeg(const std::vector<unsigned char>& rgb)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = side;
    info.image_height = side;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 85, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < side) {
        JSAMPROW row = const_cast<JSAMPROW>(&rgb[static_cast<size_t>(info.next_scanline) * side * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return out;
}

const std::string& pngFile()
{
    static const std::string file = encodePng(picture());
    return file;
}

const std::string& jpegFile()
{
    static const std::string file = encodeJpeg(picture());
    return file;
}

void intoSurface(benchmark::State& state, const std::string* file)
{
    Surface surface;
    for (auto _ : state) {
        if (surface.create(reinterpret_cast<unsigned char*>(const_cast<char*>(file->data())),
                           static_cast<unsigned long>(file->size())) != 0)
            state.SkipWithError("the image did not load");
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * side * side);
    surface.free();
}

struct PngSource {
    const std::string* file;
    size_t at;
};

void readPng(png_structp png, png_bytep out, png_size_t count)
{
    PngSource* source = static_cast<PngSource*>(png_get_io_ptr(png));
    std::memcpy(out, source->file->data() + source->at, count);
    source->at += count;
}

// libpng alone: the same transforms, rows of RGB kept as they come.
void libpngAlone(benchmark::State& state)
{
    for (auto _ : state) {
        PngSource source{&pngFile(), 8};
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_read_fn(png, &source, readPng);
        png_set_sig_bytes(png, 8);
        png_read_png(png, info, PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_EXPAND, nullptr);
        benchmark::DoNotOptimize(png_get_rows(png, info));
        png_destroy_read_struct(&png, &info, nullptr);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}

// libjpeg alone: scanlines of RGB into one whole-image buffer.
void libjpegAlone(benchmark::State& state)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(side) * side * 3);
    for (auto _ : state) {
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpegFile().data()), jpegFile().size());
        jpeg_read_header(&info, TRUE);
        jpeg_start_decompress(&info);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = &rgb[static_cast<size_t>(info.output_scanline) * side * 3];
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}

// The conversion by itself, RGB565 from 3-byte pixels (PNG rows) and from 4-byte ones
// (JPEG rows), our rule against SDL2's converter.
struct Conversion {
    int bytesPerPixel;
    Uint32 sdlFormat;
};

std::vector<unsigned char> pixelsOf(int bytesPerPixel)
{
    std::vector<unsigned char> rgb = picture();
    if (bytesPerPixel == 3)
        return rgb;
    std::vector<unsigned char> rgbx;
    for (size_t i = 0; i < rgb.size(); i += 3)
        rgbx.insert(rgbx.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 0xFF});
    return rgbx;
}

void convertOurs(benchmark::State& state, Conversion conversion)
{
    std::vector<unsigned char> in = pixelsOf(conversion.bytesPerPixel);
    std::vector<uint16_t> out(static_cast<size_t>(side) * side);
    const size_t stride = static_cast<size_t>(side) * conversion.bytesPerPixel;
    for (auto _ : state) {
        for (size_t y = 0; y < side; ++y) {
            if (conversion.bytesPerPixel == 3)
                PixelRows::packRgb(&in[y * stride], side, &out[y * side]);
            else
                PixelRows::packRgbx(&in[y * stride], side, &out[y * side]);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}

void convertSdl(benchmark::State& state, Conversion conversion)
{
    std::vector<unsigned char> in = pixelsOf(conversion.bytesPerPixel);
    std::vector<uint16_t> out(static_cast<size_t>(side) * side);
    for (auto _ : state) {
        SDL_ConvertPixels(side, side, conversion.sdlFormat, in.data(), side * conversion.bytesPerPixel,
                          SDL_PIXELFORMAT_RGB565, out.data(), side * 2);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("load PNG 1024x1024/parvolin", intoSurface, &pngFile());
    benchmark::RegisterBenchmark("load PNG 1024x1024/libpng", libpngAlone);
    benchmark::RegisterBenchmark("load JPEG 1024x1024/parvolin", intoSurface, &jpegFile());
    benchmark::RegisterBenchmark("load JPEG 1024x1024/libjpeg", libjpegAlone);
    // Bytes R, G, B, X in memory: SDL's XBGR8888 on a little-endian processor.
    const Conversion rgb{3, SDL_PIXELFORMAT_RGB24};
    const Conversion rgbx{4, SDL_PIXELFORMAT_XBGR8888};
    benchmark::RegisterBenchmark("RGB24 to RGB565 1024x1024/parvolin", convertOurs, rgb);
    benchmark::RegisterBenchmark("RGB24 to RGB565 1024x1024/SDL_ConvertPixels", convertSdl, rgb);
    benchmark::RegisterBenchmark("RGBX to RGB565 1024x1024/parvolin", convertOurs, rgbx);
    benchmark::RegisterBenchmark("RGBX to RGB565 1024x1024/SDL_ConvertPixels", convertSdl, rgbx);
    return BenchRatios::runAll(argc, argv);
}
