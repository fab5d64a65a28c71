#include "ImageFiles.h"
#include "ImageTestSupport.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "graphics/SurfaceRGBA.h"
#include "support/SurfacePixels.h"
#include "platform/system/Files.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <png.h>

using SurfacePixels::snapshot;

namespace {

std::string readHostFile(const std::wstring& path)
{
    std::filesystem::path host(path);
    std::ifstream in(host, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool hostFileExists(const std::wstring& path) { return std::filesystem::exists(std::filesystem::path(path)); }

uint32_t le32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

uint32_t le16(const std::string& bytes, size_t at) { return static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8); }

void randomSurface(Surface& surface, unsigned long width, unsigned long height, unsigned seed)
{
    std::mt19937 random(seed);
    SurfacePixels::make(surface, width, height, 0);
    SurfacePixels::randomize(surface, random);
}

} // namespace

TEST(ImageWriter, BitmapHeaderRowsAndPaddingByteForByte)
{
    TempFolder folder;
    Owned<Surface> surface;
    randomSurface(surface, 3, 2, 1); // 6 bytes a row, padded to 8
    const std::wstring path = folder.path(L"odd.bmp");
    ASSERT_EQ(ResultCode::Ok, surface.save(path.c_str(), Surface::BMP));
    const std::string bytes = readHostFile(path);
    ASSERT_EQ(66u + 16u, bytes.size());
    EXPECT_EQ("BM", bytes.substr(0, 2));
    EXPECT_EQ(82u, le32(bytes, 2));
    EXPECT_EQ(0u, le32(bytes, 6));
    EXPECT_EQ(66u, le32(bytes, 10));
    EXPECT_EQ(40u, le32(bytes, 14));
    EXPECT_EQ(3u, le32(bytes, 18));
    EXPECT_EQ(2u, le32(bytes, 22));
    EXPECT_EQ(1u, le16(bytes, 26));
    EXPECT_EQ(16u, le16(bytes, 28));
    EXPECT_EQ(3u, le32(bytes, 30));
    EXPECT_EQ(16u, le32(bytes, 34));
    EXPECT_EQ(std::string(16, '\0'), bytes.substr(38, 16));
    EXPECT_EQ(0xF800u, le32(bytes, 54));
    EXPECT_EQ(0x07E0u, le32(bytes, 58));
    EXPECT_EQ(0x001Fu, le32(bytes, 62));
    // Bottom row first, the pixels as stored, two zero bytes of padding.
    for (unsigned long y = 0; y < 2; ++y) {
        const size_t row = 66 + 8 * (1 - y);
        for (unsigned long x = 0; x < 3; ++x)
            EXPECT_EQ(SurfacePixels::at(surface, x, y), le16(bytes, row + 2 * x));
        EXPECT_EQ(std::string(2, '\0'), bytes.substr(row + 6, 2));
    }
    // The file loads back to the same pixels.
    Owned<Surface> loaded;
    ASSERT_EQ(ResultCode::Ok, loaded.create(path.c_str()));
    EXPECT_EQ(snapshot(surface), snapshot(loaded));
}

TEST(ImageWriter, BitmapRoundTripsOverWidthsOfEveryPadding)
{
    TempFolder folder;
    for (unsigned long width = 1; width <= 4; ++width) {
        SCOPED_TRACE(width);
        Owned<Surface> surface;
        randomSurface(surface, width, 3, static_cast<unsigned>(width));
        const std::wstring path = folder.path(L"round.bmp");
        ASSERT_EQ(ResultCode::Ok, surface.save(path.c_str(), Surface::BMP));
        Owned<Surface> loaded;
        ASSERT_EQ(ResultCode::Ok, loaded.create(path.c_str()));
        EXPECT_EQ(snapshot(surface), snapshot(loaded));
    }
}

TEST(ImageWriter, PngColourTypesAndSamples)
{
    TempFolder folder;
    Owned<SurfaceRGBA> surface;
    ASSERT_EQ(ResultCode::Ok, surface.create(5, 3));
    std::mt19937 random(7);
    SurfacePixels::randomize(surface, random);
    SurfacePixels::randomize(*surface.getAlphaSurface(), random);

    // A plain Surface writes RGB (type 2), each field at the top of its byte.
    const std::wstring rgbPath = folder.path(L"rgb.png");
    ASSERT_EQ(ResultCode::Ok, surface.Surface::save(rgbPath.c_str(), Surface::PNG));
    uint32_t width = 0;
    uint32_t height = 0;
    int colorType = -1;
    std::string samples = ImageFiles::decodePngSamples(readHostFile(rgbPath), width, height, colorType);
    EXPECT_EQ(PNG_COLOR_TYPE_RGB, colorType);
    ASSERT_EQ(5u * 3u * 3u, samples.size());
    for (size_t i = 0; i < 15; ++i) {
        uint16_t p = snapshot(surface)[i];
        EXPECT_EQ((p >> 8) & 0xF8, static_cast<uint8_t>(samples[3 * i]));
        EXPECT_EQ((p >> 3) & 0xFC, static_cast<uint8_t>(samples[3 * i + 1]));
        EXPECT_EQ((p << 3) & 0xF8, static_cast<uint8_t>(samples[3 * i + 2]));
    }

    // A SurfaceRGBA writes RGBA (type 6); the opacity byte is the alpha pixel >> 3.
    const std::wstring rgbaPath = folder.path(L"rgba.png");
    ASSERT_EQ(ResultCode::Ok, surface.save(rgbaPath.c_str(), Surface::PNG));
    samples = ImageFiles::decodePngSamples(readHostFile(rgbaPath), width, height, colorType);
    EXPECT_EQ(PNG_COLOR_TYPE_RGB_ALPHA, colorType);
    ASSERT_EQ(5u * 3u * 4u, samples.size());
    std::vector<uint16_t> alpha = snapshot(*surface.getAlphaSurface());
    for (size_t i = 0; i < 15; ++i)
        EXPECT_EQ(static_cast<uint8_t>(alpha[i] >> 3), static_cast<uint8_t>(samples[4 * i + 3]));

    // Loading it back gives the same colours (the fields lost no bits).
    Owned<SurfaceRGBA> loaded;
    ASSERT_EQ(ResultCode::Ok, loaded.create(rgbaPath.c_str()));
    EXPECT_EQ(snapshot(surface), snapshot(loaded));
}

TEST(ImageWriter, RefusedSavesCreateNoFile)
{
    TempFolder folder;
    const std::wstring path = folder.path(L"refused.png");
    Owned<Surface> surface;
    SurfacePixels::make(surface, 2, 2, 0x1234);
    EXPECT_EQ(ResultCode::UnsupportedImageType, surface.save(path.c_str(), static_cast<Surface::ImageFileType>(2)));
    EXPECT_FALSE(hostFileExists(path));
    EXPECT_EQ(ResultCode::NullParameter, surface.save(static_cast<const wchar_t*>(nullptr), Surface::PNG));

    // A surface without pixels has nothing to write, plain or with alpha.
    Owned<Surface> empty;
    EXPECT_EQ(ResultCode::InvalidSurface, empty.save(path.c_str(), Surface::BMP));
    Owned<SurfaceRGBA> emptyRgba;
    EXPECT_EQ(ResultCode::InvalidSurface, emptyRgba.save(path.c_str(), Surface::PNG));
    EXPECT_FALSE(hostFileExists(path));

    // An output that cannot be created.
    const std::wstring nowhere = folder.path(L"missing/folder/x.bmp");
    EXPECT_EQ(ResultCode::ImageSaveError, surface.save(nowhere.c_str(), Surface::BMP));
    EXPECT_EQ(ResultCode::ImageSaveError, surface.save(nowhere.c_str(), Surface::PNG));

    // An alpha plane of another size cannot be paired with the colour plane.
    Owned<SurfaceRGBA> mismatched;
    ASSERT_EQ(ResultCode::Ok, mismatched.create(4, 4));
    Surface* smaller = new Surface;
    SurfacePixels::make(*smaller, 2, 2, 0xFFFF);
    mismatched.setAlphaSurface(smaller);
    EXPECT_EQ(ResultCode::ImageSaveError, mismatched.save(path.c_str(), Surface::PNG));
}

TEST(ImageWriter, ASaveThatFailsPartWayLeavesTheOldFileWhole)
{
    TempFolder folder;
    FileSystemManager manager;
    Owned<Surface> surface;
    randomSurface(surface, 40, 30, 7);
    const std::wstring path = folder.path(L"kept.img");
    const std::string old = "the old image, whole";
    for (Surface::ImageFileType type : {Surface::BMP, Surface::PNG}) {
        for (bool throughFile : {false, true}) {
            SCOPED_TRACE(std::to_string(type) + (throughFile ? " through a File" : " to a path"));
            std::ofstream(std::filesystem::path(path), std::ios::binary) << old;
            // The device fails the first write, then the second, ... until a save gets
            // through: every failed one leaves the old file as it was, and nothing beside it.
            int failures = 0;
            long result = ResultCode::ImageSaveError;
            for (unsigned long n = 1; n < 200 && result != ResultCode::Ok; ++n) {
                File file;
                ASSERT_EQ(ResultCode::Ok, manager.resolveFile(&file, (L"file:" + path).c_str()));
                SetWriteFault(n);
                result = throughFile ? surface.save(&file, type) : surface.save(path.c_str(), type);
                SetWriteFault(0);
                if (result == ResultCode::Ok)
                    break;
                ++failures;
                EXPECT_EQ(ResultCode::ImageSaveError, result);
                EXPECT_EQ(old, readHostFile(path));
                EXPECT_FALSE(hostFileExists(path + L".new"));
            }
            ASSERT_EQ(ResultCode::Ok, result);
            EXPECT_GT(failures, 0);
            EXPECT_FALSE(hostFileExists(path + L".new"));
            Owned<Surface> back;
            ASSERT_EQ(ResultCode::Ok, back.create(path.c_str()));
            EXPECT_EQ(snapshot(surface), snapshot(back));
        }
    }
}
