// The vector kernels and the row fast paths of the built-in shaders must give the bits of
// the plain rules: on random kernels runs, and on whole random blits against a reference
// written straight from the rules, with the vector kernels on and off.
#include "pixels/BlitKernels.h"
#include "graphics/ColorShaders.h"
#include "graphics/CompositeShaders.h"
#include "graphics/KeyShaders.h"
#include "graphics/OpacityShader.h"
#include "pixels/PixelRules.h"
#include "pixels/VectorKernels.h"
#include "support/SurfacePixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

using Row = std::vector<uint16_t>;

// Random rows where about a third of the source pixels equal the key and some alpha
// pixels come in runs of transparent ones, as sprites have them.
struct Rows {
    Row destination;
    Row source;
    Row alpha;
};

Rows randomRows(std::mt19937& random, size_t length, uint16_t key)
{
    Rows rows{Row(length), Row(length), Row(length)};
    for (size_t i = 0; i < length; ++i) {
        rows.destination[i] = static_cast<uint16_t>(random());
        rows.source[i] = random() % 3 == 0 ? key : static_cast<uint16_t>(random());
        rows.alpha[i] = (i / 8) % 3 == 0 ? 0 : static_cast<uint16_t>(random());
    }
    return rows;
}

// Runs the same kernel call on the vector and the plain path over every length 0..300 and
// 16 alignments; the pixels around the run must stay untouched.
void compareKernel(const char* name,
                   const std::function<void(uint16_t*, const uint16_t*, const uint16_t*, size_t, uint16_t, uint16_t,
                                            uint32_t)>& vector,
                   const std::function<void(uint16_t*, const uint16_t*, const uint16_t*, size_t, uint16_t, uint16_t,
                                            uint32_t)>& plain)
{
    std::mt19937 random(7);
    for (size_t length = 0; length <= 300; ++length) {
        for (size_t offset = 0; offset < 16; offset += 1 + random() % 4) {
            uint16_t key = static_cast<uint16_t>(random());
            uint16_t fill = static_cast<uint16_t>(random());
            // Weight 32 (opacity 128) has a path of its own.
            uint32_t weight = length % 4 == 0 ? 32 : random() % 64;
            Rows rows = randomRows(random, length + 32, key);
            Row expected = rows.destination;
            Row actual = rows.destination;
            plain(expected.data() + offset, rows.source.data() + offset, rows.alpha.data() + offset, length, key, fill,
                  weight);
            vector(actual.data() + offset, rows.source.data() + offset, rows.alpha.data() + offset, length, key, fill,
                   weight);
            ASSERT_EQ(expected, actual) << name << " length " << length << " offset " << offset;
        }
    }
}

// A game's own shader: the plain per-pixel path through process.
class InvertShader : public Shader {
public:
    unsigned long process(unsigned long destination, unsigned long source) override
    {
        return (~source & 0x00FFFFFF) ^ (destination & 0x00080808);
    }
};

// Every kind of shader the blits meet, with random parameters.
struct ShaderSet {
    explicit ShaderSet(std::mt19937& random)
        : key(static_cast<unsigned long>(random()) & 0xFFFFFF), opacity(random() % 256),
          fillFore(key, random() & 0xFFFFFF), fillBack(key, random() & 0xFFFFFF), multiply(random() & 0xFFFFFF),
          overlay(random() & 0xFFFFFF), screen(random() & 0xFFFFFF), cascade(&colorKey, &multiply), fontKey(key),
          fontKeyColor(key), fontColor(), fontInner(key)
    {
        colorKey.setColorKey(key);
        fontKeyColor.setFontColor(random() & 0xFFFFFF);
        fontColor.setFontColor(random() & 0xFFFFFF);
        fontInner.setShader(&invert);
        all = {nullptr,  &colorKey, &opacity, &fillFore, &fillBack, &multiply,     &overlay,   &screen,
               &gray,    &cascade,  &fontKey, &fontKeyColor, &fontColor, &fontPlain, &fontInner, &invert};
    }
    unsigned long key;
    ColorKeyShader colorKey;
    OpacityShader opacity;
    FillForeShader fillFore;
    FillBackShader fillBack;
    MultiplyShader multiply;
    OverlayShader overlay;
    ScreenShader screen;
    GrayScaleShader gray;
    CascadeShader cascade;
    FontShader fontKey;
    FontShader fontKeyColor;
    FontShader fontColor;
    FontShader fontPlain;
    FontShader fontInner;
    InvertShader invert;
    std::vector<Shader*> all;
};

// The pixel a blit must produce, from the shader's public colour operation (lossless
// round trips for native pixels) and the blend rule.
uint16_t expectedPixel(Shader* shader, uint16_t d, uint16_t s, const uint16_t* alpha)
{
    uint16_t c = shader ? PixelRules::toNative(shader->process(PixelRules::toColorref(d), PixelRules::toColorref(s)))
                        : s;
    return alpha ? PixelRules::blend(c, d, PixelRules::alphaWeight(*alpha)) : c;
}

tagRECT randomRect(std::mt19937& random, unsigned long width, unsigned long height)
{
    int32_t l = static_cast<int32_t>(random() % width);
    int32_t t = static_cast<int32_t>(random() % height);
    int32_t r = l + 1 + static_cast<int32_t>(random() % (width - l));
    int32_t b = t + 1 + static_cast<int32_t>(random() % (height - t));
    return tagRECT{l, t, r, b};
}

// One random unscaled blit, checked against the reference pixel by pixel.
void checkUnscaled(std::mt19937& random, bool withAlpha)
{
    ShaderSet shaders(random);
    Shader* shader = shaders.all[random() % shaders.all.size()];
    const uint16_t key = PixelRules::toNative(shaders.key);
    Owned<Surface> target, source, alpha;
    unsigned long sw = 1 + random() % 300, sh = 1 + random() % 4;
    source.create(sw, sh);
    alpha.create(sw, sh);
    target.create(sw + random() % 20, sh + random() % 3);
    SurfacePixels::randomize(source, random, key, 3);
    SurfacePixels::randomize(alpha, random, 0, 4);
    SurfacePixels::randomize(target, random);
    tagRECT r = randomRect(random, sw, sh);
    unsigned long x = random() % (target.getWidth() - (r.right - r.left) + 1);
    unsigned long y = random() % (target.getHeight() - (r.bottom - r.top) + 1);

    Owned<Surface> expected;
    expected.create(&target);
    for (int32_t j = r.top; j < r.bottom; ++j)
        for (int32_t i = r.left; i < r.right; ++i) {
            unsigned long dx = x + (i - r.left), dy = y + (j - r.top);
            uint16_t a = SurfacePixels::at(alpha, i, j);
            SurfacePixels::set(expected, dx, dy,
                               expectedPixel(shader, SurfacePixels::at(expected, dx, dy),
                                             SurfacePixels::at(source, i, j), withAlpha ? &a : nullptr));
        }
    long result = withAlpha ? target.alphaBltFast(x, y, &source, &r, &alpha, &r, shader)
                            : target.bltFast(x, y, &source, &r, shader);
    ASSERT_EQ(0, result);
    ASSERT_EQ(SurfacePixels::snapshot(expected), SurfacePixels::snapshot(target))
        << "width " << sw << " at " << x << " alpha " << withAlpha;
}

// One random scaled blit, against a reference that samples straight from the rule:
// the view of getBuffer(angle, flipping), the mapped rectangle, 10-bit fixed point steps.
void checkScaled(std::mt19937& random, bool withAlpha, bool plainCopy = false)
{
    ShaderSet shaders(random);
    Shader* shader = plainCopy ? nullptr : shaders.all[random() % shaders.all.size()];
    const uint16_t key = PixelRules::toNative(shaders.key);
    const unsigned long angles[] = {0, 90, 180, 270, 45};
    const unsigned long angle = angles[random() % 5];
    const auto flipping = static_cast<Surface::Flipping>(random() % 4);
    Owned<Surface> target, source, alpha;
    unsigned long sw = 1 + random() % 40, sh = 1 + random() % 40;
    source.create(sw, sh);
    alpha.create(sw, sh);
    // Wide enough to cross the staging chunks, tall enough to cross the row bands.
    target.create(1 + random() % 600, 1 + random() % 70);
    SurfacePixels::randomize(source, random, key, 3);
    SurfacePixels::randomize(alpha, random, 0, 4);
    SurfacePixels::randomize(target, random);
    tagRECT sr = randomRect(random, sw, sh);
    tagRECT dr = randomRect(random, target.getWidth(), target.getHeight());

    auto mapped = [&](Surface& plane, Surface::Buffer& view) {
        plane.getBuffer(&view, angle, flipping);
        tagRECT m = sr;
        int32_t w = m.right - m.left, h = m.bottom - m.top;
        if (flipping & 1) {
            m.left = static_cast<int32_t>(sw) - m.right;
            m.right = m.left + w;
        }
        if (flipping & 2) {
            m.top = static_cast<int32_t>(sh) - m.bottom;
            m.bottom = m.top + h;
        }
        return angle == 90 || angle == 270 ? tagRECT{m.top, m.left, m.bottom, m.right} : m;
    };
    Surface::Buffer view, alphaView;
    tagRECT cr = mapped(source, view);
    tagRECT acr = mapped(alpha, alphaView);
    int32_t xStep = ((cr.right - cr.left) << 10) / (dr.right - dr.left);
    int32_t yStep = ((cr.bottom - cr.top) << 10) / (dr.bottom - dr.top);
    Owned<Surface> expected;
    expected.create(&target);
    for (int32_t j = 0; j < dr.bottom - dr.top; ++j)
        for (int32_t i = 0; i < dr.right - dr.left; ++i) {
            int32_t col = (i * xStep) >> 10, row = (j * yStep) >> 10;
            uint16_t s = view.pixels[(cr.left + col) * view.xPitch + (cr.top + row) * view.yPitch];
            uint16_t a = alphaView.pixels[(acr.left + col) * alphaView.xPitch + (acr.top + row) * alphaView.yPitch];
            unsigned long dx = dr.left + i, dy = dr.top + j;
            SurfacePixels::set(expected, dx, dy,
                               expectedPixel(shader, SurfacePixels::at(expected, dx, dy), s, withAlpha ? &a : nullptr));
        }
    long result = withAlpha ? target.alphaBlt(&dr, &source, &sr, &alpha, &sr, angle, flipping, shader)
                            : target.blt(&dr, &source, &sr, angle, flipping, shader);
    ASSERT_EQ(0, result);
    ASSERT_EQ(SurfacePixels::snapshot(expected), SurfacePixels::snapshot(target))
        << "angle " << angle << " flipping " << flipping << " alpha " << withAlpha;
}

} // namespace

// Every row kernel at every level this processor has (the baseline ones too, where it
// would choose wider ones).
TEST(BlitEquivalence, VectorKernelsGiveTheBitsOfThePlainLoops)
{
    for (const VectorKernels& k : kernelLevels()) {
        if (!k.copyKeyed || !k.fillKeyed || !k.fillBackground || !k.blendSource || !k.blendAlpha || !k.shadeChannels)
            GTEST_SKIP() << "this processor has no vector blit kernels";
        compareKernel(
            "copyKeyed", [&](uint16_t* d, const uint16_t* s, const uint16_t*, size_t n, uint16_t key, uint16_t,
                             uint32_t) { k.copyKeyed(d, s, n, key); },
            [](uint16_t* d, const uint16_t* s, const uint16_t*, size_t n, uint16_t key, uint16_t, uint32_t) {
                BlitKernels::plain::copyKeyed(d, s, n, key);
            });
        compareKernel(
            "fillKeyed", [&](uint16_t* d, const uint16_t* s, const uint16_t*, size_t n, uint16_t key, uint16_t fill,
                             uint32_t) { k.fillKeyed(d, s, n, key, fill); },
            [](uint16_t* d, const uint16_t* s, const uint16_t*, size_t n, uint16_t key, uint16_t fill, uint32_t) {
                BlitKernels::plain::fillKeyed(d, s, n, key, fill);
            });
        compareKernel(
            "fillBackground", [&](uint16_t* d, const uint16_t* s, const uint16_t*, size_t n, uint16_t key,
                                  uint16_t fill, uint32_t) { k.fillBackground(d, s, n, key, fill); },
            [](uint16_t* d, const uint16_t* s, const uint16_t*, size_t n, uint16_t key, uint16_t fill, uint32_t) {
                BlitKernels::plain::fillBackground(d, s, n, key, fill);
            });
        compareKernel(
            "blendSource", [&](uint16_t* d, const uint16_t* s, const uint16_t*, size_t n, uint16_t, uint16_t,
                               uint32_t w) { k.blendSource(d, s, n, w); },
            [](uint16_t* d, const uint16_t* s, const uint16_t*, size_t n, uint16_t, uint16_t, uint32_t w) {
                BlitKernels::plain::blendSource(d, s, n, w);
            });
        compareKernel(
            "blendAlpha", [&](uint16_t* d, const uint16_t* s, const uint16_t* a, size_t n, uint16_t, uint16_t,
                              uint32_t) { k.blendAlpha(d, s, a, n); },
            [](uint16_t* d, const uint16_t* s, const uint16_t* a, size_t n, uint16_t, uint16_t, uint32_t) {
                BlitKernels::plain::blendAlpha(d, s, a, n);
            });
        // Each colour rule with factors from the key and fill (255, which keeps a channel,
        // in one case of four) and the weight.
        auto shading = [](uint16_t key, uint16_t fill, uint32_t weight) {
            const auto factor = [](uint32_t v) { return static_cast<uint16_t>(v % 4 == 0 ? 255 : v & 0xFF); };
            return ChannelShading{static_cast<ChannelShading::Rule>(weight % 4), factor(key), factor(key >> 8),
                                  factor(fill)};
        };
        compareKernel(
            "shadeChannels", [&](uint16_t* d, const uint16_t* s, const uint16_t*, size_t n, uint16_t key, uint16_t fill,
                                 uint32_t w) { k.shadeChannels(d, s, n, shading(key, fill, w)); },
            [&](uint16_t* d, const uint16_t* s, const uint16_t*, size_t n, uint16_t key, uint16_t fill, uint32_t w) {
                BlitKernels::plain::shadeChannels(d, s, n, shading(key, fill, w));
            });
    }
}

// The glyph kernel on blocks of every width up to eight, keyed and recoloured, and the
// reversed copy of the half-turn flip, at every level.
TEST(BlitEquivalence, GlyphAndReversedKernelsGiveTheBitsOfThePlainLoops)
{
    std::mt19937 random(5);
    for (const VectorKernels& k : kernelLevels()) {
        if (!k.keyedGlyph || !k.copyReversed)
            GTEST_SKIP() << "this processor has no vector glyph kernel";
        for (int round = 0; round < 500; ++round) {
            const size_t width = random() % 9, height = 1 + random() % 9;
            const long pitch = static_cast<long>(8 + random() % 5);
            const uint16_t key = static_cast<uint16_t>(random());
            const uint16_t fill = static_cast<uint16_t>(random());
            const bool recolour = random() & 1;
            Rows rows = randomRows(random, 8 * height, key);
            Row expected(static_cast<size_t>(pitch) * height + 8);
            for (uint16_t& p : expected)
                p = static_cast<uint16_t>(random());
            Row actual = expected;
            BlitKernels::plain::keyedGlyph(expected.data(), pitch, rows.source.data(), width, height, key, recolour,
                                           fill);
            k.keyedGlyph(actual.data(), pitch, rows.source.data(), width, height, key, recolour, fill);
            ASSERT_EQ(expected, actual) << width << "x" << height << " recolour " << recolour;
        }
        for (size_t length = 0; length <= 300; ++length) {
            Rows rows = randomRows(random, length + 16, 0);
            Row expected = rows.destination;
            Row actual = rows.destination;
            BlitKernels::plain::copyReversed(expected.data() + 3, rows.source.data(), length);
            k.copyReversed(actual.data() + 3, rows.source.data(), length);
            ASSERT_EQ(expected, actual) << "copyReversed length " << length;
            if (length) {
                ASSERT_EQ(rows.source[0], actual[3 + length - 1]);
            }
        }
    }
}

TEST(BlitEquivalence, RandomBlitsMatchTheRulesOnBothPaths)
{
    for (bool vector : {true, false}) {
        setVectorKernelsEnabled(vector);
        std::mt19937 random(vector ? 11 : 12);
        for (int round = 0; round < 400; ++round) {
            checkUnscaled(random, false);
            checkUnscaled(random, true);
            checkScaled(random, false);
            checkScaled(random, true);
            checkScaled(random, false, true);
            if (HasFatalFailure())
                break;
        }
    }
    setVectorKernelsEnabled(true);
}

TEST(BlitEquivalence, QuarterTurnKernelGivesTheBitsOfThePlainLoop)
{
    if (!processorKernels().copyQuarterTurn || !processorKernels().copyQuarterTurn555)
        GTEST_SKIP() << "this processor has no vector quarter-turn kernel";
    std::mt19937 random(7);
    // The baseline kernel too, where the processor would choose a wider one.
    for (int round = 0; round < 1000; ++round) {
        const VectorKernels& k = round % 2 ? processorKernels() : baselineKernels();
        const size_t columns = random() % 40, rows = random() % 40;
        const long rowStep = (random() & 1) ? 1 : -1;
        const long columnStep = static_cast<long>(rows + random() % 5) * ((random() & 1) ? 1 : -1);
        // The source block spans columns runs of `rows` pixels; place it in the middle of a
        // buffer big enough for every sign of the steps.
        const size_t span = columns * static_cast<size_t>(std::labs(columnStep)) + rows + 16;
        std::vector<uint16_t> source(2 * span + 16);
        for (uint16_t& p : source)
            p = static_cast<uint16_t>(random());
        const uint16_t* origin = source.data() + span;
        const long pitch = static_cast<long>(columns + random() % 9);
        std::vector<uint16_t> expected(static_cast<size_t>(pitch) * rows + 8, 0x5555);
        std::vector<uint16_t> actual = expected;
        // The RGB555 form in one round of four.
        const bool to555 = round % 4 == 1;
        (to555 ? BlitKernels::plain::copyQuarterTurn555
               : BlitKernels::plain::copyQuarterTurn)(expected.data(), pitch, origin, columnStep, rowStep, columns, rows);
        (to555 ? k.copyQuarterTurn555 : k.copyQuarterTurn)(actual.data(), pitch, origin, columnStep, rowStep, columns,
                                                           rows);
        ASSERT_EQ(expected, actual) << columns << "x" << rows << " steps " << columnStep << "," << rowStep;
        if (to555)
            continue;
        for (size_t j = 0; j < rows; ++j)
            for (size_t i = 0; i < columns; ++i)
                ASSERT_EQ(origin[static_cast<long>(i) * columnStep + static_cast<long>(j) * rowStep],
                          actual[j * static_cast<size_t>(pitch) + i]);
    }
}

TEST(BlitEquivalence, UnscaledQuarterTurnsShowTheTurnedView)
{
    std::mt19937 random(11);
    for (bool vector : {true, false}) {
        setVectorKernelsEnabled(vector);
        for (int round = 0; round < 60; ++round) {
            const unsigned long w = 1 + random() % 37, h = 1 + random() % 29;
            Surface source;
            ASSERT_EQ(0, source.create(w, h));
            Surface::Buffer plain;
            source.getBuffer(&plain);
            for (unsigned long i = 0; i < w * h; ++i)
                plain.pixels[i] = static_cast<unsigned short>(random());
            const unsigned long angle = (random() & 1) ? 90 : 270;
            const auto flipping = static_cast<Surface::Flipping>(random() % 4);
            Surface target;
            ASSERT_EQ(0, target.create(h + 3, w + 2));
            tagRECT destination = {2, 1, static_cast<int32_t>(h + 2), static_cast<int32_t>(w + 1)};
            ASSERT_EQ(0, target.blt(&destination, &source, nullptr, angle, flipping, nullptr));
            Surface::Buffer view;
            source.getBuffer(&view, angle, flipping);
            for (unsigned long y = 0; y < w; ++y)
                for (unsigned long x = 0; x < h; ++x) {
                    unsigned long color = 0, expected = 0;
                    target.getPixel(x + 2, y + 1, &color);
                    Surface::nativeToColorref(view.pixels[static_cast<long>(x) * view.xPitch +
                                                          static_cast<long>(y) * view.yPitch],
                                              &expected);
                    ASSERT_EQ(expected, color) << "angle " << angle << " flip " << flipping << " vector " << vector;
                }
            source.free();
            target.free();
        }
    }
    setVectorKernelsEnabled(true);
}
