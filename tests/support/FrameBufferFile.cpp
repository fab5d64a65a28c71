#include "support/FrameBufferFile.h"

#include "support/PngFile.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

std::string FrameBufferFile::mode() const
{
    return std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bitsPerPixel) + "+" +
           std::to_string(lineBytes);
}

bool FrameBufferFile::create(const std::string& path, unsigned char fill) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<char> bytes(size_t(lineBytes) * height, static_cast<char>(fill));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool FrameBufferFile::read(const std::string& path, unsigned char padding, GlassImage& screen,
                           std::string& problem) const
{
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() != size_t(lineBytes) * height) {
        problem = "the file has " + std::to_string(bytes.size()) + " bytes";
        return false;
    }
    const uint32_t pixelBytes = bitsPerPixel / 8;
    const FrameBufferLayout rgb565 = {1, 1, 2, 2, 16, kfDirect565, 0};
    screen.width = width;
    screen.height = height;
    screen.pixels.assign(size_t(width) * height, 0);
    for (uint32_t y = 0; y < height; ++y) {
        const unsigned char* line = bytes.data() + size_t(y) * lineBytes;
        for (uint32_t at = width * pixelBytes; at < lineBytes; ++at)
            if (line[at] != padding) {
                problem = "padding byte " + std::to_string(at) + " of row " + std::to_string(y) + " was written";
                return false;
            }
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char* p = line + x * pixelBytes;
            uint32_t value = 0;
            for (uint32_t i = 0; i < pixelBytes; ++i)
                value |= uint32_t(p[i]) << (8 * i);
            if (pixelBytes == 4 && (value >> 24) != 0) {
                problem = "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") has its unused byte set";
                return false;
            }
            screen.pixels[size_t(y) * width + x] = pixelBytes == 2 ? Glass::colorOf(value, rgb565) : value;
        }
    }
    return true;
}

bool showsGlass(const GlassImage& screen, const GlassImage& glass, int scale, int left, int top,
                std::string& difference)
{
    for (uint32_t y = 0; y < screen.height; ++y)
        for (uint32_t x = 0; x < screen.width; ++x) {
            int gx = (int(x) - left) >= 0 ? (int(x) - left) / scale : -1;
            int gy = (int(y) - top) >= 0 ? (int(y) - top) / scale : -1;
            bool onGlass = gx >= 0 && gy >= 0 && gx < int(glass.width) && gy < int(glass.height);
            uint32_t expected = onGlass ? glass.at(uint32_t(gx), uint32_t(gy)) : 0;
            if (screen.at(x, y) != expected) {
                char text[160];
                std::snprintf(text, sizeof(text), "screen (%u, %u) shows %06X, the glass there %06X", x, y,
                              screen.at(x, y), expected);
                difference = text;
                return false;
            }
        }
    return true;
}

bool frameBufferMatchesHeadless(const std::string& program, const std::string& script, unsigned closeTick,
                                const FrameBufferFile& file, int scale, bool scaleAsked, int left, int top,
                                const TempFolder& folder, std::string& difference,
                                const std::map<std::string, std::string>& variables)
{
    const unsigned char padding = 0x5A;
    std::string frameBuffer = folder.hostPath("fb.raw");
    std::string noInput = folder.hostPath("no-input");
    std::string close = std::to_string(closeTick) + " close\n";
    auto shot = [&](const char* name) { return std::to_string(closeTick) + " shot " + folder.hostPath(name) + "\n"; };
    if (!file.create(frameBuffer, padding)) {
        difference = "the frame buffer file cannot be made";
        return false;
    }
    folder.write(L"fbdev.script", script + shot("fbdev.png") + close);
    folder.write(L"headless.script", script + shot("headless.png") + close);
    folder.write(L"no-input", "");
    // An empty file as the only input device: the machine's own devices stay out.
    std::map<std::string, std::string> fbdev = variables;
    fbdev.insert({{"PARVOLIN_VIDEO", "fbdev"},
                  {"PARVOLIN_FBDEV", frameBuffer},
                  {"PARVOLIN_FBDEV_MODE", file.mode()},
                  {"PARVOLIN_SCALE", scaleAsked ? std::to_string(scale) : std::string()},
                  {"PARVOLIN_EVDEV", noInput},
                  {"PARVOLIN_EVDEV_KIND", noInput + ":keys"},
                  {"PARVOLIN_SCRIPT", folder.hostPath("fbdev.script")}});
    ProgramOutcome shown = runProgram(program, fbdev, folder);
    if (shown.status != 0) {
        difference = "under the frame-buffer host: status " + std::to_string(shown.status) + ": " + shown.errors;
        return false;
    }
    ProgramOutcome headless = runProgram(
        program, {{"PARVOLIN_VIDEO", "headless"}, {"PARVOLIN_SCRIPT", folder.hostPath("headless.script")}}, folder);
    GlassImage glass, shotShown, screen;
    if (headless.status != 0 || !readPng(folder.hostPath("headless.png"), glass)) {
        difference = "headless: status " + std::to_string(headless.status) + ": " + headless.errors;
        return false;
    }
    if (!readPng(folder.hostPath("fbdev.png"), shotShown) || shotShown.pixels != glass.pixels) {
        difference = "the frame-buffer host's shot differs from the headless host's";
        return false;
    }
    if (!file.read(frameBuffer, padding, screen, difference))
        return false;
    return showsGlass(screen, glass, scale, left, top, difference);
}
