#ifndef PARVOLIN_VIDEO_TEST_SUPPORT_H
#define PARVOLIN_VIDEO_TEST_SUPPORT_H

#include "support/TempFolder.h"
#include "testdata/TheoraClip.h"
#include "video/VideoSource.h"

#include <string>
#include <vector>

// A video whose source the test can look at (time counters, extra rows).
template <typename Base>
class Inspectable : public Base {
public:
    VideoSource* videoSource() { return this->source; }
};

// Frames that change in every direction and from frame to frame: luma and both chroma
// planes carry gradients, the first frames are flat black and flat white.
std::vector<YuvFrame> patternFrames(const ClipFormat& format, int count);

// An Ogg stream of one logical stream holding `packets`, each packet on its own page;
// the first page is the beginning of the stream.
std::string oggStream(int serial, const std::vector<std::string>& packets);

// A file in a fresh folder, reachable by a device path with the "file:" scheme.
class FileOnDisk {
public:
    explicit FileOnDisk(const std::string& bytes, const std::wstring& name = L"clip.ogv");
    const wchar_t* path() const { return uri.c_str(); }

private:
    TempFolder folder;
    std::wstring uri;
};

#endif
