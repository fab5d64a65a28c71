// Reads each input as a SubRip file, checks what the parser kept, and plays a short video
// with the subtitles over it (a band below the picture, sizes and spacing taken from the
// input), so that every entry the parser accepts is drawn as well.
#include "FuzzFiles.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "graphics/Surface.h"
#include "testdata/TheoraClip.h"
#include "video/SubtitleList.h"
#include "video/SubtitleParser.h"
#include "video/SubtitledVideo.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

std::string subtitlePath;
std::wstring subtitleUri;
std::string videoPath;
std::wstring videoUri;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "subtitle_fuzz: %s\n", what);
    std::abort();
}

// Every entry has a first line; no line is longer than a line may be. (A line may begin
// with a NUL byte from the file and so look empty as a C string; it was not empty.)
void checkEntries(File& file)
{
    file.open(FileMode::Read);
    SubtitleList list;
    long result = SubtitleParser(&file).parse(list);
    file.close();
    if (result != ResultCode::Ok && result != ResultCode::SubtitleError && result != ResultCode::OutOfMemory)
        fail("parsing gave an unexpected code");
    for (const SubtitleEntry* entry = list.getFirst(); entry; entry = entry->next) {
        if (!entry->firstLine)
            fail("an entry without text was kept");
        if (std::wcslen(entry->firstLine) > SubtitleParser::maxLine ||
            (entry->secondLine && std::wcslen(entry->secondLine) > SubtitleParser::maxLine))
            fail("a line is longer than a line may be");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    subtitlePath = FuzzFiles::temporaryPath("subtitle-fuzz", ".srt");
    videoPath = FuzzFiles::temporaryPath("subtitle-fuzz", ".ogv");
    subtitleUri = FuzzFiles::uri(L"file:", subtitlePath);
    videoUri = FuzzFiles::uri(L"file:", videoPath);
    // One frame a second for twenty seconds: the times subtitle files usually start with.
    ClipFormat format;
    format.pictureWidth = 64;
    format.pictureHeight = 24;
    format.fpsNumerator = 1;
    format.quality = 10;
    const std::string clip = encodeTheoraClip(format, std::vector<YuvFrame>(20, format.blankFrame(90)));
    FuzzFiles::write(videoPath, clip.data(), clip.size());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzFiles::write(subtitlePath, data, size);
    FileSystemManager manager;
    File file;
    if (manager.resolveFile(&file, subtitleUri.c_str()) != ResultCode::Ok)
        fail("the input file cannot be resolved");
    checkEntries(file);

    SubtitledVideo video;
    long loaded = video.setSubtitles(&file);
    if (loaded != ResultCode::Ok && loaded != ResultCode::SubtitleError && loaded != ResultCode::OutOfMemory)
        fail("loading gave an unexpected code");
    if (file.isOpen())
        fail("loading left the file open");
    // The first bytes choose the placing, wild values included.
    const uint8_t a = size > 0 ? data[0] : 0;
    const uint8_t b = size > 1 ? data[1] : 0;
    video.setSubtitlesPosition(a & 0x3F, static_cast<int8_t>(b), (a >> 6) * 9);
    if (video.open(videoUri.c_str()) != ResultCode::Ok)
        fail("the video does not open");
    Surface target;
    for (int call = 0; call < 200; ++call) {
        long result = video.getNextSubtitledFrame(&target);
        if (result == ResultCode::EndOfVideo)
            break;
        if (result != ResultCode::Ok)
            fail("a subtitled frame gave an unexpected code");
    }
    target.free();
    return 0;
}
