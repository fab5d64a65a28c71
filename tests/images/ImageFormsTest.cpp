#include "ImageFiles.h"
#include "ImageTestSupport.h"

#include "core/ResultCodes.h"
#include "graphics/SurfaceRGBA.h"
#include "platform/system/EmulatedModule.h"
#include "platform/system/Modules.h"
#include "platform/system/Resources.h"
#include "support/SurfacePixels.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <png.h>

using SurfacePixels::snapshot;

namespace {

// A 2 x 1 24-bit bitmap: red, then blue.
ImageFiles::Bmp redBlueBmp()
{
    ImageFiles::Bmp bmp;
    bmp.width = 2;
    bmp.pixels = ImageFiles::padRows({std::string("\x00\x00\xFF\xFF\x00\x00", 6)});
    return bmp;
}

std::string smallGif()
{
    ImageFiles::Gif gif;
    gif.width = 2;
    gif.colors = {0x00FF00, 0xFFFFFF};
    ImageFiles::GifFrame frame;
    frame.width = 2;
    frame.indices = {0, 1};
    gif.frames = {frame};
    return gif.bytes();
}

} // namespace

TEST(ImageForms, FormatIsToldByTheFirstBytes)
{
    Owned<Surface> surface;
    auto load = [&](const std::string& bytes) { return loadBytes(surface, bytes); };
    EXPECT_EQ(ResultCode::UnsupportedImageType, load("BM"));              // too short to be anything
    EXPECT_EQ(ResultCode::ImageOpenError, load("BMx"));                   // a bitmap with a short header
    EXPECT_EQ(ResultCode::ImageOpenError, load("GIF"));                   // a GIF giflib cannot open
    EXPECT_EQ(ResultCode::UnsupportedImageType, load(std::string("\xFF\xD8\xFF\xE0\0\x10JF", 8))); // no room for JFI
    EXPECT_EQ(ResultCode::ImageOpenError, load(std::string("\xFF\xD8\xFF\xE0\0\x10JFI", 9)));
    EXPECT_EQ(ResultCode::UnsupportedImageType, load("xPNG"));            // four bytes: not PNG
    EXPECT_EQ(ResultCode::UnsupportedImageType, load("xPNGx"));           // PNG, but not its signature
    EXPECT_EQ(ResultCode::UnsupportedImageType, load(""));
    EXPECT_EQ(ResultCode::UnsupportedImageType, load("hello, world"));
    EXPECT_EQ(ResultCode::ImageOpenError, surface.create(static_cast<unsigned char*>(nullptr), 10));
}

TEST(ImageForms, BufferFormsNeedOpacityFromTheFile)
{
    Owned<SurfaceRGBA> surface;
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, ImageFiles::twoPixelRgbaPng()));
    EXPECT_EQ((std::vector<uint16_t>{alpha565(0x80), 0xFFFF}), snapshot(*surface.getAlphaSurface()));

    // A bitmap, a GIF or a JPEG leaves the plane empty: 51, and the surface is emptied.
    for (const std::string& bytes : {redBlueBmp().bytes(), smallGif(), ImageFiles::Jpeg().bytes()}) {
        EXPECT_EQ(ResultCode::UnknownError, loadBytes(surface, bytes));
        EXPECT_EQ(0u, surface.getWidth());
        EXPECT_EQ(nullptr, surface.getAlphaSurface());
    }
    // A failed decode leaves the surface as it was.
    ASSERT_EQ(ResultCode::Ok, loadBytes(surface, ImageFiles::twoPixelRgbaPng()));
    EXPECT_EQ(ResultCode::ImageOpenError, loadBytes(surface, "BMx"));
    EXPECT_EQ(2u, surface.getWidth());
    EXPECT_EQ(2u, surface.getAlphaSurface()->getWidth());
}

TEST(ImageForms, PathFormsMakeAnEmptyAlphaPlaneOpaque)
{
    TempFolder folder;
    folder.write(L"picture.bmp", redBlueBmp().bytes());
    folder.write(L"picture.png", ImageFiles::twoPixelRgbaPng());
    folder.write(L"empty.png", "");

    Owned<Surface> plain;
    ASSERT_EQ(ResultCode::Ok, plain.create(folder.path(L"picture.bmp").c_str()));
    EXPECT_EQ(colors565({0xFF0000, 0x0000FF}), snapshot(plain));

    Owned<SurfaceRGBA> rgba;
    ASSERT_EQ(ResultCode::Ok, rgba.create(folder.path(L"picture.bmp").c_str()));
    EXPECT_EQ(colors565({0xFF0000, 0x0000FF}), snapshot(rgba));
    EXPECT_EQ((std::vector<uint16_t>{0xFFFF, 0xFFFF}), snapshot(*rgba.getAlphaSurface()));
    ASSERT_EQ(ResultCode::Ok, rgba.create(folder.path(L"picture.png").c_str()));
    EXPECT_EQ((std::vector<uint16_t>{alpha565(0x80), 0xFFFF}), snapshot(*rgba.getAlphaSurface()));

    // Missing and empty files, and no path at all.
    EXPECT_EQ(ResultCode::ImageOpenError, plain.create(folder.path(L"missing.png").c_str()));
    EXPECT_EQ(ResultCode::ImageOpenError, plain.create(folder.path(L"empty.png").c_str()));
    EXPECT_EQ(ResultCode::ImageOpenError, plain.create(folder.path().c_str()));
    EXPECT_EQ(ResultCode::ImageOpenError, plain.create(static_cast<const wchar_t*>(nullptr)));
    EXPECT_EQ(ResultCode::ImageOpenError, rgba.create(folder.path(L"missing.png").c_str()));
    EXPECT_EQ(2u, rgba.getWidth()); // a failed load keeps what was there
}

namespace {

// A run-time library of the emulated handheld carrying image resources of every kind.
struct ResourceLibrary {
    ResourceLibrary()
    {
        png = ImageFiles::twoPixelRgbaPng();
        gif = smallGif();
        bitmap = redBlueBmp().bytes().substr(14); // a bitmap resource lacks the file header
        resources[0] = {0, L"PNG", 1, nullptr, bytesOf(png), static_cast<DWORD>(png.size())};
        resources[1] = {0, L"GIF", 2, nullptr, bytesOf(gif), static_cast<DWORD>(gif.size())};
        resources[2] = {2, nullptr, 3, nullptr, bytesOf(bitmap), static_cast<DWORD>(bitmap.size())};
        module = {L"Pictures.dll", nullptr, 0, nullptr, resources, 3};
        EmulatedModules::add(&module);
        handle = LoadLibraryW(L"Pictures.dll");
    }
    ~ResourceLibrary()
    {
        FreeLibrary(handle);
        EmulatedModules::remove(&module);
    }
    static const unsigned char* bytesOf(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

    std::string png;
    std::string gif;
    std::string bitmap;
    ModuleResource resources[3];
    EmulatedModule module;
    HINSTANCE handle;
};

} // namespace

TEST(ImageForms, ResourcesDecodeOrFallBackToPlatformBitmaps)
{
    ResourceLibrary library;
    ASSERT_NE(nullptr, library.handle);

    Owned<SurfaceRGBA> rgba;
    ASSERT_EQ(ResultCode::Ok, rgba.create(1, L"PNG", library.handle));
    EXPECT_EQ(colors565({0x123456, 0xFF0000}), snapshot(rgba));
    EXPECT_EQ((std::vector<uint16_t>{alpha565(0x80), 0xFFFF}), snapshot(*rgba.getAlphaSurface()));
    EXPECT_EQ(ResultCode::UnknownError, rgba.create(2, L"GIF", library.handle));
    EXPECT_EQ(0u, rgba.getWidth());

    Owned<Surface> plain;
    ASSERT_EQ(ResultCode::Ok, plain.create(2, L"GIF", library.handle));
    EXPECT_EQ(colors565({0x00FF00, 0xFFFFFF}), snapshot(plain));

    // Bitmap resources go through the platform's bitmap and a drawing context.
    for (const wchar_t* type : {static_cast<const wchar_t*>(nullptr), static_cast<const wchar_t*>(RT_BITMAP)}) {
        ASSERT_EQ(ResultCode::Ok, plain.create(3, type, library.handle));
        EXPECT_EQ(colors565({0xFF0000, 0x0000FF}), snapshot(plain));
    }
    // A custom type the module lacks falls back to the bitmap of the same number.
    plain.free();
    ASSERT_EQ(ResultCode::Ok, plain.create(3, L"JPEG", library.handle));
    EXPECT_EQ(colors565({0xFF0000, 0x0000FF}), snapshot(plain));
    // ... and the resource form of a SurfaceRGBA wants opacity from the file.
    EXPECT_EQ(ResultCode::UnknownError, rgba.create(3, nullptr, library.handle));

    EXPECT_EQ(ResultCode::ImageOpenError, plain.create(9, L"JPEG", library.handle));
    EXPECT_EQ(ResultCode::ImageOpenError, plain.create(9, nullptr, library.handle));
    EXPECT_EQ(ResultCode::ImageOpenError, plain.create(0x10003, nullptr, library.handle));
}
