// Writes each input as a file and plays it as a video, through the path form and through
// a File, showing and skipping frames (with extra rows below the picture) until the end.
// Whatever the bytes, the answers are result codes and the end stays the end. Most inputs
// get their Ogg page checksums set right first: libogg drops a page whose checksum is
// wrong, so without this almost no changed byte would reach the Theora decoder.
#include "FuzzFiles.h"

#include "core/ResultCodes.h"
#include "files/File.h"
#include "files/FileSystemManager.h"
#include "graphics/Surface.h"
#include "video/Video.h"
#include "video/VideoSource.h"

#include <ogg/ogg.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string videoPath;
std::wstring videoUri;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "video_fuzz: %s\n", what);
    std::abort();
}

// Sets the checksum of every whole page found in `bytes`.
void repairChecksums(std::string& bytes)
{
    size_t at = 0;
    while ((at = bytes.find("OggS", at)) != std::string::npos) {
        if (at + 27 > bytes.size())
            break;
        const size_t segments = static_cast<unsigned char>(bytes[at + 26]);
        const size_t headerLength = 27 + segments;
        if (at + headerLength > bytes.size())
            break;
        size_t bodyLength = 0;
        for (size_t i = 0; i < segments; ++i)
            bodyLength += static_cast<unsigned char>(bytes[at + 27 + i]);
        if (at + headerLength + bodyLength > bytes.size()) {
            at += 4;
            continue;
        }
        ogg_page page;
        page.header = reinterpret_cast<unsigned char*>(&bytes[at]);
        page.header_len = static_cast<long>(headerLength);
        page.body = reinterpret_cast<unsigned char*>(&bytes[at + headerLength]);
        page.body_len = static_cast<long>(bodyLength);
        ogg_page_checksum_set(&page);
        at += headerLength + bodyLength;
    }
}

class FuzzedVideo : public Video {
public:
    VideoSource* videoSource() { return source; }
};

// Each call either decodes a packet or reads a 4096-byte piece, so this bounds the work by
// the input's size.
void play(FuzzedVideo& video, uint32_t extraRows, uint8_t skipPattern)
{
    Surface target;
    if (VideoSource* source = video.videoSource())
        source->setExtraHeight(extraRows);
    for (int call = 0; call < 20000; ++call) {
        const bool skip = (skipPattern >> (call % 8)) & 1;
        long result = skip ? video.skipNextFrame() : video.getNextFrame(&target);
        if (result == ResultCode::EndOfVideo) {
            if (video.getNextFrame(&target) != ResultCode::EndOfVideo || video.skipNextFrame() != ResultCode::EndOfVideo)
                fail("the end did not stay the end");
            break;
        }
        if (result == ResultCode::VideoNotInitialized)
            break;
        if (result != ResultCode::Ok && result != ResultCode::OutOfMemory && result != ResultCode::InvalidSurface)
            fail("a frame call gave an unexpected code");
        if (target.getHeight() > 0 && target.getHeight() < extraRows)
            fail("the surface is lower than the extra rows");
    }
    target.free();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    videoPath = FuzzFiles::temporaryPath("video-fuzz", ".ogv");
    videoUri = FuzzFiles::uri(L"file:", videoPath);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The last byte picks the way of playing; the file keeps it (the end of an Ogg file
    // is read last, if at all).
    const uint8_t choice = size ? data[size - 1] : 0;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if ((choice & 0x60) != 0x60)
        repairChecksums(bytes);
    FuzzFiles::write(videoPath, bytes.data(), bytes.size());
    FuzzedVideo video;
    long opened = video.open(videoUri.c_str());
    if (opened != ResultCode::Ok && opened != ResultCode::VideoOpenError)
        fail("opening gave an unexpected code");
    play(video, choice & 0x1F, static_cast<uint8_t>(choice & 0x80 ? 0x55 : 0));

    FileSystemManager manager;
    File file;
    if (manager.resolveFile(&file, videoUri.c_str()) != ResultCode::Ok)
        fail("the input file cannot be resolved");
    opened = video.open(&file);
    if (opened != ResultCode::Ok && opened != ResultCode::VideoOpenError)
        fail("opening a File gave an unexpected code");
    play(video, 0, static_cast<uint8_t>(choice));
    video.close();
    if (file.isOpen())
        fail("closing the video left its file open");
    return 0;
}
