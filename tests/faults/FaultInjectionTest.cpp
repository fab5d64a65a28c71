// Runs one sequence of everyday work again and again, the n-th allocation failing in the
// n-th run, for every n until a run needs no more: open an archive and read its members,
// load every image format (from memory and from the archive), make a font and draw text,
// play a video with subtitles, and run a few ticks of Vorlequin's play field. Every step
// answers Ok or a result code (OutOfMemory where the code means it), nothing crashes,
// nothing leaks (LeakSanitizer in the sanitizer build), and each object that failed does
// the same work again, once memory is back, as if nothing had happened.
#include "AllocationFaults.h"

#include "PlayHandler.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "graphics/SurfaceRGBA.h"
#include "support/SurfacePixels.h"
#include "support/TempFolder.h"
#include "testdata/TheoraClip.h"
#include "testdata/ZipBuilder.h"
#include "text/Font.h"
#include "video/SubtitledVideo.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::string seed(const char* name)
{
    std::ifstream in(std::string(PARVOLIN_SOURCE_FOLDER) + "/fuzz/seeds/image_load/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the sequence works on, made before any fault is planned.
struct Material {
    TempFolder folder;
    std::vector<std::string> images;
    std::wstring archive, clip, subtitles;

    Material()
    {
        for (const char* name : {"bmp8", "bmp4rle", "bmp16fields", "gif", "jpeg", "png", "pngrgba", "pngpalette"})
            images.push_back(seed(name));
        ZipBuilder zip;
        zip.add("data/readme.txt", std::string(3000, 'r'));
        zip.add("data/images/picture.png", images[5], 8);
        zip.add("data/images/picture.gif", images[3]);
        folder.write(L"a.zip", zip.build());
        archive = L"zip:" + folder.path(L"a.zip");
        ClipFormat format;
        format.pictureWidth = 32;
        format.pictureHeight = 16;
        folder.write(L"clip.ogv", encodeTheoraClip(format, {format.blankFrame(16), format.blankFrame(200), format.blankFrame(90)}));
        clip = L"file:" + folder.path(L"clip.ogv");
        folder.write(L"clip.srt", "1\n00:00:00,000 --> 00:00:01,000\nHello\nthere\n\n2\n00:00:00,040 --> 00:00:09,000\nagain\n");
        subtitles = L"file:" + folder.path(L"clip.srt");
    }
};

// One step: the work and, for a failure, whether its code is one the step may give.
struct Outcome {
    std::vector<std::string> problems;
    void check(const std::string& step, long result, std::initializer_list<long> allowed)
    {
        if (result == ResultCode::Ok)
            return;
        for (long code : allowed)
            if (result == code)
                return;
        problems.push_back(step + " gave " + std::to_string(result));
    }
};

// Does `work`; when it fails, does it again on the same objects with memory back, which
// must then succeed.
void step(Outcome& outcome, const std::string& name, std::initializer_list<long> allowed, const std::function<long()>& work)
{
    long result = work();
    outcome.check(name, result, allowed);
    if (result == ResultCode::Ok)
        return;
    const bool planned = AllocationFaults::disarm();
    long again = work();
    if (again != ResultCode::Ok)
        outcome.problems.push_back(name + " failed again with memory back: " + std::to_string(again));
    // The rest of the run goes on with faults as planned only if this one has not happened.
    if (!planned)
        AllocationFaults::failAt(0);
}

long readAll(File& file)
{
    char block[512];
    long got;
    while ((got = file.read(block, sizeof block)) > 0) {
    }
    return got == 0 ? ResultCode::Ok : ResultCode::UnknownError;
}

void runSequence(const Material& m, Outcome& outcome)
{
    const long memory = ResultCode::OutOfMemory;
    {
        FileSystemManager manager;
        File root, text, picture;
        step(outcome, "opening the archive", {memory, ResultCode::CannotResolveFile}, [&] {
            return manager.resolveFile(&root, m.archive.c_str());
        });
        if (root.exists()) {
            step(outcome, "finding a member", {ResultCode::ResolveError}, [&] { return root.resolveFile(&text, L"data/readme.txt"); });
            step(outcome, "opening a stored member", {memory}, [&] { return text.open(); });
            step(outcome, "reading it", {}, [&] { return text.isOpen() ? readAll(text) : ResultCode::Ok; });
            step(outcome, "finding a deflated member", {ResultCode::ResolveError}, [&] {
                return root.resolveFile(&picture, L"data/images/picture.png");
            });
            Owned<SurfaceRGBA> fromArchive;
            step(outcome, "loading an image from the archive", {memory, ResultCode::ImageOpenError}, [&] {
                return picture.exists() ? fromArchive.create(&picture) : ResultCode::Ok;
            });
        }
    }
    for (size_t i = 0; i < m.images.size(); ++i) {
        std::vector<unsigned char> bytes(m.images[i].begin(), m.images[i].end());
        Owned<Surface> plain;
        Owned<SurfaceRGBA> rgba;
        step(outcome, "image " + std::to_string(i), {memory, ResultCode::ImageOpenError}, [&] {
            return plain.create(bytes.data(), static_cast<unsigned long>(bytes.size()));
        });
        // The buffer form of an alpha surface takes files that carry opacity.
        if (i == 6)
            step(outcome, "alpha image", {memory, ResultCode::ImageOpenError}, [&] {
                return rgba.create(bytes.data(), static_cast<unsigned long>(bytes.size()));
            });
    }

    // A strip of three glyphs under white marker runs, black on a magenta key.
    Owned<Surface> strip, page;
    step(outcome, "the font's strip", {memory}, [&] { return strip.create(12ul, 6ul); });
    step(outcome, "the page", {memory}, [&] { return page.create(64ul, 40ul); });
    if (strip.getWidth()) {
        strip.fillRect(0x00FF00FF, nullptr, 255);
        for (unsigned long x : {0ul, 1ul, 3ul, 4ul, 5ul, 7ul, 8ul})
            strip.setPixel(x, 0, 0x00FFFFFF);
    }
    Font font;
    step(outcome, "making a font", {memory}, [&] { return font.createFont(L"abc", &strip, 0x00FF00FFul); });
    step(outcome, "drawing text", {memory}, [&] { return page.drawText(2, 2, &font, 0, L"abcab"); });
    step(outcome, "drawing formatted text", {memory}, [&] { return page.drawFormattedText(2, 20, &font, 2, L"%ls%d", L"cab", 7); });

    {
        SubtitledVideo video;
        Owned<Surface> frame;
        video.setSubtitlesFont(&font);
        video.setSubtitlesPosition(1, 1, 10);
        step(outcome, "opening the video", {memory, ResultCode::VideoOpenError}, [&] { return video.open(m.clip.c_str()); });
        step(outcome, "reading its subtitles", {memory, ResultCode::CannotResolveFile}, [&] {
            return video.setSubtitles(m.subtitles.c_str());
        });
        for (int call = 0; call < 40; ++call) {
            long result = video.getNextSubtitledFrame(&frame);
            if (result == ResultCode::EndOfVideo || result == ResultCode::VideoNotInitialized)
                break;
            outcome.check("playing", result, {memory});
        }
        video.close();
    }
    font.releaseFont();

    Owned<Surface> field;
    step(outcome, "the play field", {memory}, [&] { return field.create(240ul, 320ul); });
    if (field.getWidth()) {
        PlayHandler play;
        play.onInit(&field, nullptr, nullptr);
        play.onStylusDown({100, 100});
        for (int tick = 0; tick < 4; ++tick)
            play.onNextFrame(&field, nullptr);
        play.onExit();
    }
}

} // namespace

TEST(AllocationFaults, EveryFailedAllocationIsAnsweredAndLosesNothing)
{
    Material material;
    // Once without faults: the count of nothrow allocations the sequence makes.
    Outcome clean;
    AllocationFaults::failAt(0);
    runSequence(material, clean);
    AllocationFaults::disarm();
    ASSERT_TRUE(clean.problems.empty()) << clean.problems.front();
    const unsigned long total = AllocationFaults::nothrowCount();
    ASSERT_GT(total, 50u);
    std::set<std::string> seen;
    for (unsigned long n = 1; n <= total; ++n) {
        Outcome outcome;
        AllocationFaults::failAt(n);
        runSequence(material, outcome);
        AllocationFaults::disarm();
        for (const std::string& problem : outcome.problems)
            if (seen.insert(problem).second)
                ADD_FAILURE() << "allocation " << n << ": " << problem;
    }
    std::printf("%lu allocations, each failed once; %lu throwing allocations in a clean run\n", total,
                AllocationFaults::throwingCount());
}
