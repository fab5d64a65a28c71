#include "ImageFiles.h"
#include "ImageTestSupport.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "graphics/SurfaceRGBA.h"
#include "support/SurfacePixels.h"
#include "support/TempFolder.h"
#include "testdata/ZipBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include <png.h>

using SurfacePixels::snapshot;

namespace {

class ImageFileForms : public ::testing::Test {
protected:
    // Binds `file` to `name` in the test's folder.
    void bind(File& file, const std::wstring& name)
    {
        ASSERT_EQ(ResultCode::Ok, manager.resolveFile(&file, (L"file:" + folder.path(name)).c_str()));
    }
    uintmax_t sizeOf(const std::wstring& name) { return std::filesystem::file_size(std::filesystem::path(folder.path(name))); }

    TempFolder folder;
    FileSystemManager manager;
};

} // namespace

TEST_F(ImageFileForms, LoadsThroughAFileAndClosesIt)
{
    ImageFiles::Bmp bmp;
    bmp.width = 2;
    bmp.pixels = ImageFiles::padRows({std::string("\x00\x00\xFF\xFF\x00\x00", 6)});
    folder.write(L"picture.bmp", bmp.bytes());
    folder.write(L"picture.png", ImageFiles::twoPixelRgbaPng());

    File file;
    bind(file, L"picture.bmp");
    Owned<Surface> plain;
    ASSERT_EQ(ResultCode::Ok, plain.create(&file));
    EXPECT_EQ(colors565({0xFF0000, 0x0000FF}), snapshot(plain));
    EXPECT_FALSE(file.isOpen());

    // A file the caller opened and read from is read whole all the same, then closed.
    ASSERT_EQ(ResultCode::Ok, file.open());
    char skipped[4];
    ASSERT_EQ(4, file.read(skipped, 4));
    Owned<SurfaceRGBA> rgba;
    ASSERT_EQ(ResultCode::Ok, rgba.create(&file));
    EXPECT_FALSE(file.isOpen());
    // Like the path form, a format without opacity comes out opaque.
    EXPECT_EQ((std::vector<uint16_t>{0xFFFF, 0xFFFF}), snapshot(*rgba.getAlphaSurface()));

    File png;
    bind(png, L"picture.png");
    ASSERT_EQ(ResultCode::Ok, rgba.create(&png));
    EXPECT_EQ((std::vector<uint16_t>{alpha565(0x80), 0xFFFF}), snapshot(*rgba.getAlphaSurface()));
}

TEST_F(ImageFileForms, LoadsAMemberOfAZipArchive)
{
    ZipBuilder archive;
    archive.add("art/sprite.png", ImageFiles::twoPixelRgbaPng(), 8);
    folder.write(L"art.zip", archive.build());
    File root;
    ASSERT_EQ(ResultCode::Ok, manager.resolveFile(&root, (L"zip:" + folder.path(L"art.zip")).c_str()));
    File member;
    ASSERT_EQ(ResultCode::Ok, root.resolveFile(&member, L"art/sprite.png"));
    Owned<Surface> surface;
    ASSERT_EQ(ResultCode::Ok, surface.create(&member));
    EXPECT_EQ(colors565({0x123456, 0xFF0000}), snapshot(surface));
}

TEST_F(ImageFileForms, FilesThatCannotBeReadGive8)
{
    Owned<Surface> surface;
    EXPECT_EQ(ResultCode::NullParameter, surface.create(static_cast<File*>(nullptr)));
    File unbound;
    EXPECT_EQ(ResultCode::ImageOpenError, surface.create(&unbound));
    File missing;
    bind(missing, L"missing.png");
    EXPECT_EQ(ResultCode::ImageOpenError, surface.create(&missing));
    folder.write(L"empty.png", "");
    File empty;
    bind(empty, L"empty.png");
    EXPECT_EQ(ResultCode::ImageOpenError, surface.create(&empty));
    File folderFile;
    ASSERT_EQ(ResultCode::Ok, manager.resolveFile(&folderFile, (L"file:" + folder.path()).c_str()));
    EXPECT_EQ(ResultCode::ImageOpenError, surface.create(&folderFile));
}

TEST_F(ImageFileForms, SavesCreateOrTruncateTheFile)
{
    Owned<SurfaceRGBA> surface;
    ASSERT_EQ(ResultCode::Ok, surface.create(3, 2));
    std::mt19937 random(3);
    SurfacePixels::randomize(surface, random);

    // A file that does not exist yet is created.
    File target;
    bind(target, L"saved.bmp");
    ASSERT_EQ(ResultCode::Ok, surface.save(&target, Surface::BMP));
    EXPECT_FALSE(target.isOpen());
    EXPECT_EQ(66u + 16u, sizeOf(L"saved.bmp"));
    Owned<Surface> loaded;
    ASSERT_EQ(ResultCode::Ok, loaded.create((folder.path(L"saved.bmp")).c_str()));
    EXPECT_EQ(snapshot(surface), snapshot(loaded));

    // A smaller image over a larger file leaves no stale bytes behind.
    folder.write(L"big.bmp", std::string(5000, 'x'));
    File big;
    bind(big, L"big.bmp");
    ASSERT_EQ(ResultCode::Ok, surface.save(&big, Surface::BMP));
    EXPECT_EQ(66u + 16u, sizeOf(L"big.bmp"));

    File png;
    bind(png, L"saved.png");
    ASSERT_EQ(ResultCode::Ok, surface.save(&png, Surface::PNG));
    Owned<SurfaceRGBA> back;
    ASSERT_EQ(ResultCode::Ok, back.create(folder.path(L"saved.png").c_str()));
    EXPECT_EQ(snapshot(surface), snapshot(back));

    EXPECT_EQ(ResultCode::NullParameter, surface.save(static_cast<File*>(nullptr), Surface::PNG));
    EXPECT_EQ(ResultCode::NullParameter, loaded.save(static_cast<File*>(nullptr), Surface::BMP));
    File unbound;
    EXPECT_EQ(ResultCode::ImageSaveError, surface.save(&unbound, Surface::PNG));
    EXPECT_EQ(ResultCode::ImageSaveError, loaded.save(&unbound, Surface::BMP));
    EXPECT_EQ(ResultCode::UnsupportedImageType, loaded.save(&target, static_cast<Surface::ImageFileType>(5)));

    // An archive member cannot be written: both writers say so.
    ZipBuilder archive;
    archive.add("a.bmp", "old");
    folder.write(L"a.zip", archive.build());
    File root;
    ASSERT_EQ(ResultCode::Ok, manager.resolveFile(&root, (L"zip:" + folder.path(L"a.zip")).c_str()));
    File member;
    ASSERT_EQ(ResultCode::Ok, root.resolveFile(&member, L"a.bmp"));
    EXPECT_EQ(ResultCode::ImageSaveError, loaded.save(&member, Surface::PNG));
    EXPECT_EQ(ResultCode::ImageSaveError, loaded.save(&member, Surface::BMP));
}
