// Blit geometry: surfaces of arbitrary sizes (0 to 300), rectangles, positions near every
// limit, angles, flips, shaders, alpha planes and nested panels, driven through every
// drawing call of Surface, SurfaceRGBA and Panel. Any access outside a surface is a crash
// under AddressSanitizer. The same run is then made again with the vector kernels off:
// both paths must answer the same codes and leave the same pixels. A surface drawn onto
// itself is run too, but its pixels are not compared: reading and writing the same pixels
// in one call has no order that either path promises.
#include "FuzzInput.h"

#include "core/ResultCodes.h"
#include "graphics/ColorShaders.h"
#include "graphics/CompositeShaders.h"
#include "graphics/KeyShaders.h"
#include "graphics/OpacityShader.h"
#include "graphics/SurfaceRGBA.h"
#include "pixels/VectorKernels.h"
#include "text/Panel.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "blit_fuzz: %s\n", what);
    std::abort();
}

// What one run gave: every result code; what was read back (pixels, colours, hits); every
// pixel of every surface at the end.
struct Outcome {
    std::vector<long> answers;
    std::vector<long> readings;
    std::vector<uint16_t> pixels;
    bool selfDrawn = false;
};

unsigned long side(FuzzInput& in)
{
    // Mostly small, so that runs stay fast; now and then up to 300.
    return in.byte() % 16 == 0 ? in.u16() % 301 : in.byte() % 33;
}

// Pixel rows to copy from: noise, four flat colours (so that keys match), a ramp. Filling
// and reading surfaces a row at a time keeps the run's time for the calls under test.
const std::vector<uint16_t>& pattern(uint8_t mode)
{
    static std::vector<uint16_t> tables[3];
    if (tables[0].empty()) {
        uint32_t state = 1;
        for (uint32_t i = 0; i < (1u << 17); ++i) {
            state = state * 1664525u + 1013904223u;
            tables[0].push_back(static_cast<uint16_t>(state >> 16));
            tables[1].push_back(static_cast<uint16_t>((state >> 30) * 0x5555u));
            tables[2].push_back(static_cast<uint16_t>(i * 7));
        }
    }
    return tables[mode % 3];
}

void fill(Surface& surface, FuzzInput& in)
{
    Surface::Buffer view;
    if (surface.getBuffer(&view) != ResultCode::Ok || view.xPitch != 1)
        return;
    const std::vector<uint16_t>& rows = pattern(in.byte());
    size_t offset = in.u16();
    for (unsigned long y = 0; y < view.height; ++y, offset += 977)
        std::memcpy(view.pixels + static_cast<long>(y) * view.yPitch, rows.data() + offset % (rows.size() - 512),
                    view.width * sizeof(uint16_t));
}

void collect(Surface* surface, std::vector<uint16_t>& out)
{
    Surface::Buffer view;
    if (!surface || surface->getBuffer(&view) != ResultCode::Ok || view.xPitch != 1)
        return;
    for (unsigned long y = 0; y < view.height; ++y) {
        const uint16_t* row = view.pixels + static_cast<long>(y) * view.yPitch;
        out.insert(out.end(), row, row + view.width);
    }
}

tagRECT* rectangle(FuzzInput& in, tagRECT& storage)
{
    if (in.byte() % 5 == 0)
        return nullptr;
    storage.left = in.coordinate();
    storage.top = in.coordinate();
    storage.right = in.coordinate();
    storage.bottom = in.coordinate();
    return &storage;
}

unsigned long angle(FuzzInput& in)
{
    static const unsigned long right[] = {0, 90, 180, 270};
    return in.byte() % 8 == 0 ? in.u32() : right[in.byte() % 4];
}

Surface::Flipping flipping(FuzzInput& in) { return static_cast<Surface::Flipping>(in.byte() % 4); }

unsigned long opacity(FuzzInput& in) { return in.byte() % 8 == 0 ? in.u32() : in.byte(); }

unsigned long where(FuzzInput& in) { return static_cast<unsigned long>(in.position()); }

// Every shader, made from the input; null among them.
struct Shaders {
    explicit Shaders(FuzzInput& in)
        : key(in.u32()), fore(in.u32(), in.u32()), back(in.u32(), in.u32()), multiply(in.u32()),
          overlay(in.u32()), screen(in.u32()), opacity(in.u32()), font(in.u32()), cascade(&key, &multiply),
          deep(&cascade, &opacity)
    {
        font.setShader(&overlay);
    }
    Shader* pick(FuzzInput& in)
    {
        Shader* all[] = {nullptr, &key, &fore, &back, &multiply, &overlay, &screen, &grey, &opacity, &font, &cascade, &deep};
        return all[in.byte() % (sizeof all / sizeof all[0])];
    }
    ColorKeyShader key;
    FillForeShader fore;
    FillBackShader back;
    MultiplyShader multiply;
    OverlayShader overlay;
    ScreenShader screen;
    GrayScaleShader grey;
    OpacityShader opacity;
    FontShader font;
    CascadeShader cascade;
    CascadeShader deep;
};

Outcome run(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    Outcome outcome;
    std::vector<long>& answers = outcome.answers;
    std::vector<long>& readings = outcome.readings;
    Surface target, other, alpha;
    SurfaceRGBA sprite;
    target.create(side(in), side(in));
    other.create(side(in), side(in));
    alpha.create(side(in), side(in));
    sprite.create(side(in), side(in));
    for (Surface* surface : {&target, &other, &alpha, static_cast<Surface*>(&sprite), sprite.getAlphaSurface()})
        if (surface)
            fill(*surface, in);
    Shaders shaders(in);
    Surface* sources[] = {&other, &alpha, &sprite, nullptr};

    tagRECT a{}, b{}, c{};
    Panel root(&target);
    Panel child(&root, tagRECT{in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate()});
    Panel grandchild(&child, tagRECT{in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate()});
    Panel loose;
    Panel* panels[] = {&root, &child, &grandchild, &loose};

    // Large surfaces make every call slow: a few calls reach their edges as well as many.
    unsigned long largest = 0;
    for (Surface* surface : {&target, &other, &alpha, static_cast<Surface*>(&sprite)})
        largest = std::max(largest, surface->getWidth() * surface->getHeight());
    const int steps = largest > 64 * 64 ? 4 : 32;
    for (int step = 0; step < steps && !in.empty(); ++step) {
        Surface* source = sources[in.byte() % 4];
        Surface* drawn = in.byte() % 4 == 0 ? static_cast<Surface*>(&sprite) : &target;
        Surface* alphaSource = sources[in.byte() % 4];
        outcome.selfDrawn = outcome.selfDrawn || drawn == source || drawn == alphaSource;
        Panel* panel = panels[in.byte() % 4];
        unsigned long color = 0;
        switch (in.byte() % 20) {
        case 0: answers.push_back(drawn->setPixel(where(in), where(in), in.u32())); break;
        case 1:
            answers.push_back(drawn->getPixel(where(in), where(in), &color));
            readings.push_back(static_cast<long>(color));
            break;
        case 2: answers.push_back(drawn->drawLine(where(in), where(in), where(in), where(in), in.u32(), opacity(in))); break;
        case 3: answers.push_back(drawn->drawRect(in.u32(), rectangle(in, a), opacity(in))); break;
        case 4: answers.push_back(drawn->fillRect(in.u32(), rectangle(in, a), opacity(in))); break;
        case 5: answers.push_back(drawn->bltFast(where(in), where(in), source, rectangle(in, a), shaders.pick(in))); break;
        case 6:
            answers.push_back(drawn->alphaBltFast(where(in), where(in), source, rectangle(in, a), alphaSource,
                                                  rectangle(in, b), shaders.pick(in)));
            break;
        case 7: answers.push_back(target.alphaBltFast(where(in), where(in), &sprite, rectangle(in, a), shaders.pick(in))); break;
        case 8:
            answers.push_back(drawn->blt(rectangle(in, a), source, rectangle(in, b), angle(in), flipping(in), shaders.pick(in)));
            break;
        case 9:
            answers.push_back(drawn->alphaBlt(rectangle(in, a), source, rectangle(in, b), alphaSource,
                                              rectangle(in, c), angle(in), flipping(in), shaders.pick(in)));
            break;
        case 10:
            answers.push_back(target.alphaBlt(rectangle(in, a), &sprite, rectangle(in, b), angle(in), flipping(in),
                                              shaders.pick(in)));
            break;
        case 11: {
            // Every pixel of a turned or mirrored view is inside the surface.
            Surface::Buffer view;
            long result = drawn->getBuffer(&view, angle(in), flipping(in));
            answers.push_back(result);
            if (result == ResultCode::Ok) {
                uint32_t sum = 0;
                for (unsigned long y = 0; y < view.height; ++y)
                    for (unsigned long x = 0; x < view.width; ++x)
                        sum += view.pixels[static_cast<long>(y) * view.yPitch + static_cast<long>(x) * view.xPitch];
                readings.push_back(static_cast<long>(sum));
            }
            break;
        }
        case 12: {
            tagPOINT hit{0, 0};
            answers.push_back(target.intersect(in.position(), in.position(), rectangle(in, a), source, in.position(),
                                               in.position(), rectangle(in, b), in.u32(), in.u32(), &hit));
            readings.push_back(hit.x);
            readings.push_back(hit.y);
            break;
        }
        case 13: answers.push_back(panel->bltFast(in.position(), in.position(), source, rectangle(in, a), shaders.pick(in))); break;
        case 14:
            answers.push_back(panel->alphaBltFast(in.position(), in.position(), source, rectangle(in, a),
                                                  sources[in.byte() % 4], rectangle(in, b), shaders.pick(in)));
            break;
        case 15: answers.push_back(panel->alphaBltFast(in.position(), in.position(), &sprite, rectangle(in, a), shaders.pick(in))); break;
        case 16:
            answers.push_back(panel->setPixel(in.position(), in.position(), in.u32()));
            answers.push_back(panel->getPixel(in.position(), in.position(), &color));
            readings.push_back(static_cast<long>(color));
            break;
        case 17: answers.push_back(panel->fillRect(in.u32(), rectangle(in, a), opacity(in))); break;
        case 18: answers.push_back(panel->drawRect(in.u32(), rectangle(in, a), opacity(in))); break;
        default:
            // The panels move about: positions, areas and parents change.
            switch (in.byte() % 4) {
            case 0: answers.push_back(panel->setPosition(tagPOINT{in.coordinate(), in.coordinate()})); break;
            case 1: answers.push_back(panel->move(tagPOINT{in.coordinate(), in.coordinate()})); break;
            case 2: answers.push_back(panel->setArea(tagRECT{in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate()})); break;
            default:
                answers.push_back(panels[in.byte() % 4]->addChild(&grandchild, tagRECT{in.coordinate(), in.coordinate(),
                                                                                       in.coordinate(), in.coordinate()}));
                break;
            }
            break;
        }
    }
    for (Surface* surface : {&target, &other, &alpha, static_cast<Surface*>(&sprite), sprite.getAlphaSurface()})
        collect(surface, outcome.pixels);
    target.free();
    other.free();
    alpha.free();
    sprite.free();
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    setVectorKernelsEnabled(true);
    Outcome vector = run(data, size);
    setVectorKernelsEnabled(false);
    Outcome plain = run(data, size);
    setVectorKernelsEnabled(true);
    if (vector.answers != plain.answers)
        fail("the vector and plain paths answered differently");
    if (!vector.selfDrawn && vector.readings != plain.readings)
        fail("the vector and plain paths read back different pixels");
    if (!vector.selfDrawn && vector.pixels != plain.pixels)
        fail("the vector and plain paths left different pixels");
    return 0;
}
