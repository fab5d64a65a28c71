#include "platform/system/EmulatedModule.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/system/Resources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string resourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    HRSRC resource = FindResourceW(module, name, type);
    if (!resource)
        return "(missing)";
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, resource)));
    return std::string(data, SizeofResource(module, resource));
}

TEST(Resources, TheProgramFindsWhatItEmbedded)
{
    EXPECT_EQ("hello resources", resourceBytes(nullptr, MAKEINTRESOURCEW(201), RT_RCDATA));
    EXPECT_EQ("hello resources", resourceBytes(GetModuleHandleW(nullptr), L"#201", L"#10"));
    // Names and types given as text match without case.
    EXPECT_EQ("\x89PNG fake", resourceBytes(nullptr, L"LOGO", L"png"));
    EXPECT_EQ("", resourceBytes(nullptr, MAKEINTRESOURCEW(7), MAKEINTRESOURCEW(300)));
    // A bitmap resource is the file without its 14-byte file header.
    std::string bitmap = resourceBytes(nullptr, MAKEINTRESOURCEW(101), RT_BITMAP);
    ASSERT_EQ(78u - 14u, bitmap.size());
    EXPECT_EQ('\x28', bitmap[0]);
}

TEST(Resources, MissingTypesAndNamesAreToldApart)
{
    EXPECT_EQ(nullptr, FindResourceW(nullptr, MAKEINTRESOURCEW(999), RT_RCDATA));
    EXPECT_EQ(ERROR_RESOURCE_NAME_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, FindResourceW(nullptr, MAKEINTRESOURCEW(201), L"GIF"));
    EXPECT_EQ(ERROR_RESOURCE_TYPE_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, FindResourceW(nullptr, L"201", RT_RCDATA));
    EXPECT_EQ(nullptr, FindResourceW(nullptr, L"#", RT_RCDATA));
    EXPECT_EQ(nullptr, FindResourceW(nullptr, L"#99999999999", RT_RCDATA));
    EXPECT_EQ(nullptr, FindResourceW(nullptr, nullptr, RT_RCDATA));
    EXPECT_EQ(nullptr, FindResourceW(reinterpret_cast<HMODULE>(0x4444), MAKEINTRESOURCEW(201), RT_RCDATA));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());

    // A resource handle belongs to its module; a made-up one is refused.
    ModuleResource fake = {};
    HRSRC forged = reinterpret_cast<HRSRC>(&fake);
    EXPECT_EQ(nullptr, LoadResource(nullptr, forged));
    EXPECT_EQ(0u, SizeofResource(nullptr, forged));
    EXPECT_EQ(nullptr, LoadResource(nullptr, nullptr));
}

const unsigned char libraryData[] = "inside the library";
const ModuleResource libraryResources[] = {{10, nullptr, 5, nullptr, libraryData, 18}};
const EmulatedModule resourceLibrary = {L"Resourceful.dll", nullptr, 0, nullptr, libraryResources, 1};

TEST(Resources, ALibraryHasItsOwn)
{
    EmulatedModules::add(&resourceLibrary);
    HMODULE library = LoadLibraryW(L"Resourceful.dll");
    ASSERT_NE(nullptr, library);
    EXPECT_EQ("inside the library", resourceBytes(library, MAKEINTRESOURCEW(5), RT_RCDATA));
    EXPECT_EQ("(missing)", resourceBytes(library, MAKEINTRESOURCEW(201), RT_RCDATA));
    // The program's resource handle is not the library's.
    HRSRC programs = FindResourceW(nullptr, MAKEINTRESOURCEW(201), RT_RCDATA);
    EXPECT_EQ(nullptr, LoadResource(library, programs));
    FreeLibrary(library);
    EmulatedModules::remove(&resourceLibrary);
}

// Reads a loaded bitmap back as 0xRRGGBB through a 32-bit DIB section.
std::vector<uint32_t> pixelsOf(HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = SelectObject(from, bitmap);
    HGDIOBJ oldTo = SelectObject(to, copy);
    EXPECT_TRUE(BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY));
    std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    DeleteObject(copy);
    return pixels;
}

TEST(Resources, BitmapsLoadInEveryUncompressedDepth)
{
    struct Case {
        unsigned id;
        int width;
        int height;
        std::vector<uint32_t> pixels;
    } cases[] = {
        {101, 3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x123456}},
        // Top-down rows, a 3-entry palette, and an index beyond it (black).
        {102, 4, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFF0000}},
        // RGB565 widened by repeating the top bits: 0x80 0x40 0x20 stays exact.
        {103, 2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x844121}},
        // One bit per pixel, most significant first, across a byte boundary.
        {104, 9, 1, {0xFFFFFF, 0, 0xFFFFFF, 0, 0, 0, 0, 0, 0xFFFFFF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(c.id));
        ASSERT_NE(nullptr, bitmap);
        BITMAP description;
        ASSERT_EQ(static_cast<int>(sizeof(BITMAP)), GetObjectW(bitmap, sizeof(description), &description));
        EXPECT_EQ(c.width, description.bmWidth);
        EXPECT_EQ(c.height, description.bmHeight);
        EXPECT_EQ(c.pixels, pixelsOf(bitmap, c.width, c.height));
        EXPECT_TRUE(DeleteObject(bitmap));
    }
}

TEST(Resources, BrokenOrMissingBitmapsAreRefused)
{
    EXPECT_EQ(nullptr, LoadBitmapW(nullptr, MAKEINTRESOURCEW(105)));
    EXPECT_EQ(ERROR_INVALID_DATA, GetLastError());
    EXPECT_EQ(nullptr, LoadBitmapW(nullptr, MAKEINTRESOURCEW(106)));
    EXPECT_EQ(ERROR_RESOURCE_NAME_NOT_FOUND, GetLastError());
}

} // namespace
