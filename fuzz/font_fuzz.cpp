// Fonts cut from arbitrary strip images (sizes, marker rows, colour keys, alpha planes,
// character lists), then text of arbitrary characters drawn with them through drawText
// and drawFormattedText of Surface and Panel, at positions near every limit. Whatever the
// strip and the text, the answers are result codes and no glyph is drawn outside its
// surface.
#include "FuzzInput.h"

#include "core/ResultCodes.h"
#include "graphics/ColorShaders.h"
#include "graphics/SurfaceRGBA.h"
#include "text/Font.h"
#include "text/Panel.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "font_fuzz: %s\n", what);
    std::abort();
}

// Characters of every range: ASCII, Latin-1, wide ones, and 0 to end a text early.
std::wstring text(FuzzInput& in, size_t longest)
{
    std::wstring out;
    size_t length = in.byte() % 4 == 0 ? in.u16() % (longest + 1) : in.byte() % 24;
    for (size_t i = 0; i < length && !in.empty(); ++i) {
        uint8_t kind = in.byte();
        out += kind < 200 ? static_cast<wchar_t>(32 + kind % 96) : kind < 250 ? static_cast<wchar_t>(in.byte())
                                                                           : static_cast<wchar_t>(in.u16());
    }
    return out;
}

// A strip: a marker row whose white runs (0xFFFF) mark the glyphs, noise below it.
void drawStrip(Surface& image, FuzzInput& in)
{
    Surface::Buffer view;
    if (image.getBuffer(&view) != ResultCode::Ok)
        return;
    uint32_t markers = in.u32();
    uint32_t state = in.u32() | 1;
    for (unsigned long y = 0; y < view.height; ++y)
        for (unsigned long x = 0; x < view.width; ++x) {
            state = state * 1664525u + 1013904223u;
            uint16_t pixel = y == 0 ? ((markers >> (x / (1 + markers % 7) % 32)) & 1 ? 0xFFFF : 0)
                                    : static_cast<uint16_t>((state >> 29) * 0x2492u);
            view.pixels[static_cast<long>(y) * view.yPitch + static_cast<long>(x)] = pixel;
        }
}

unsigned long side(FuzzInput& in, unsigned long largest) { return in.byte() % 4 == 0 ? in.u16() % (largest + 1) : in.byte() % 24; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    SurfaceRGBA strip;
    Surface alpha;
    strip.create(side(in, 300), side(in, 40));
    alpha.create(strip.getWidth(), in.byte() % 8 == 0 ? side(in, 40) : strip.getHeight());
    drawStrip(strip, in);
    if (strip.getAlphaSurface())
        drawStrip(*strip.getAlphaSurface(), in);
    drawStrip(alpha, in);
    std::wstring characters = text(in, 200);

    Font font;
    long result;
    switch (in.byte() % 4) {
    case 0: result = font.createFont(characters.c_str(), &strip); break;
    case 1: result = font.createFont(characters.c_str(), &strip, &alpha); break;
    case 2: result = font.createFont(characters.c_str(), &strip, static_cast<unsigned long>(in.u32())); break;
    default: result = font.createFont(characters.c_str(), static_cast<Surface*>(&strip), static_cast<Surface*>(nullptr)); break;
    }
    if (result != ResultCode::Ok && result != ResultCode::InvalidSurface && result != ResultCode::OutOfMemory &&
        result != ResultCode::InvalidFont && result != ResultCode::NullParameter && result != ResultCode::InvalidCoordinates)
        fail("createFont gave an unexpected code");
    // The image belongs to the caller: the font keeps copies.
    strip.free();
    alpha.free();

    Surface target;
    target.create(side(in, 300), side(in, 300));
    Panel root(&target);
    Panel child(&root, tagRECT{in.byte(), in.byte(), in.byte(), in.byte()});
    MultiplyShader tint(in.u32());
    static const wchar_t* const formats[] = {L"%ls", L"%d:%ls", L"%ls%ls%ls%ls", L"%.3ls|%5d|%-9ls", L"%x %lc"};

    for (int step = 0; step < 24 && !in.empty(); ++step) {
        std::wstring line = text(in, 600);
        const unsigned long alignment = in.byte() % 8 == 0 ? in.u32() : in.byte() % 3;
        Panel* panel = in.byte() % 2 ? &root : &child;
        switch (in.byte() % 9) {
        case 0:
            target.drawText(static_cast<unsigned long>(in.position()), static_cast<unsigned long>(in.position()), &font,
                            alignment, line.c_str());
            break;
        case 1: panel->drawText(in.position(), in.position(), &font, alignment, line.c_str()); break;
        case 2:
        case 3: {
            // Each format with arguments of its own types.
            const unsigned which = in.byte() % 5;
            const wchar_t* format = formats[which];
            std::wstring second = text(in, 300);
            const int number = static_cast<int>(in.u32());
            const wint_t character = static_cast<wint_t>(in.u16());
            const long x = in.position(), y = in.position();
            const bool onPanel = in.byte() % 2;
            auto draw = [&](auto... arguments) {
                if (onPanel)
                    panel->drawFormattedText(x, y, &font, alignment, format, arguments...);
                else
                    target.drawFormattedText(static_cast<unsigned long>(x), static_cast<unsigned long>(y), &font,
                                             alignment, format, arguments...);
            };
            if (which == 1)
                draw(number, line.c_str());
            else if (which == 3)
                draw(line.c_str(), number, second.c_str());
            else if (which == 4)
                draw(static_cast<unsigned>(number), character);
            else
                draw(line.c_str(), second.c_str(), line.c_str(), second.c_str());
            break;
        }
        case 4: font.setSpacing(static_cast<wchar_t>(in.u16()), static_cast<wchar_t>(in.u16()), in.position()); break;
        case 5: font.setGlobalSpacing(in.position()); break;
        case 6: font.getStringWidth(line.c_str()); break;
        case 7: font.setFontColor(in.u32()); break;
        default:
            if (in.byte() % 2)
                font.setShader(&tint);
            else
                font.setColorKey(in.u32());
            break;
        }
    }
    font.releaseFont();
    target.free();
    return 0;
}
