#include "core/ResultCodes.h"
#include "graphics/Surface.h"

#include <gtest/gtest.h>

#include <climits>

#include <cstdint>
#include <random>
#include <vector>

namespace {

// Exposes the protected line helpers and the raw pixels to the tests.
class TestSurface : public Surface {
public:
    using Surface::drawHorizontalLine;
    using Surface::drawVerticalLine;
    ~TestSurface() override { free(); }
    unsigned short* raw() { return pixels; }
    unsigned short at(unsigned long x, unsigned long y) { return pixels[y * width + x]; }
    void fillNative(unsigned short value)
    {
        for (unsigned long i = 0; i < width * height; ++i)
            pixels[i] = value;
    }
    std::vector<unsigned short> snapshot() { return std::vector<unsigned short>(pixels, pixels + width * height); }
};

// The blend written channel by channel with floor division: the definition the fast
// red-blue/green form must match.
unsigned short referenceBlend(unsigned c, unsigned d, int a)
{
    auto channel = [&](int shift, int bits) {
        int mask = (1 << bits) - 1;
        int cc = (c >> shift) & mask;
        int dd = (d >> shift) & mask;
        int diff = (cc - dd) * a;
        int floored = diff >= 0 ? diff / 64 : -((-diff + 63) / 64);
        return (dd + floored) << shift;
    };
    return static_cast<unsigned short>(channel(11, 5) | channel(5, 6) | channel(0, 5));
}

unsigned short referenceHalf(unsigned c, unsigned d)
{
    auto channel = [&](int shift, int bits) {
        int mask = (1 << bits) - 1;
        return ((((c >> shift) & mask) >> 1) + (((d >> shift) & mask) >> 1)) << shift;
    };
    return static_cast<unsigned short>(channel(11, 5) | channel(5, 6) | channel(0, 5));
}

} // namespace

TEST(Surface, ColourConversionsKeepTheTopBits)
{
    unsigned short native = 0;
    EXPECT_EQ(0, Surface::colorrefToNative(0x000000FF, &native));
    EXPECT_EQ(0xF800, native);
    Surface::colorrefToNative(0x0000FF00, &native);
    EXPECT_EQ(0x07E0, native);
    Surface::colorrefToNative(0x00FF0000, &native);
    EXPECT_EQ(0x001F, native);
    Surface::colorrefToNative(0xFF000000, &native);
    EXPECT_EQ(0, native);
    unsigned long color = 0;
    EXPECT_EQ(0, Surface::nativeToColorref(0xFFFF, &color));
    EXPECT_EQ(0x00F8FCF8u, color);
    Surface::nativeToColorref(0x1FFFF, &color);
    EXPECT_EQ(0x00F8FCF8u, color);
    EXPECT_EQ(ResultCode::NullParameter, Surface::colorrefToNative(0, nullptr));
    EXPECT_EQ(ResultCode::NullParameter, Surface::nativeToColorref(0, nullptr));
}

TEST(Surface, CreateSizesAndKeepsPixelsOnTheSameSize)
{
    TestSurface s;
    EXPECT_EQ(0u, s.getWidth());
    ASSERT_EQ(0, s.create(7, 5));
    EXPECT_EQ(7u, s.getWidth());
    EXPECT_EQ(5u, s.getHeight());
    EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(s.raw()) % 64);
    s.setPixel(3, 3, 0x00FFFFFF);
    unsigned short* before = s.raw();
    ASSERT_EQ(0, s.create(7, 5));
    EXPECT_EQ(before, s.raw());
    EXPECT_EQ(0xFFFF, s.at(3, 3));
    EXPECT_EQ(0, s.create(0, 5));
    EXPECT_EQ(nullptr, s.raw());
    EXPECT_EQ(0u, s.getWidth());
    EXPECT_EQ(0, s.free());
    EXPECT_EQ(0, s.free());
}

TEST(Surface, CreateRefusesAByteCountThatOverflows)
{
    TestSurface s;
    ASSERT_EQ(0, s.create(4, 4));
    // 2^33 x 2^31 pixels wrap to 0 in 64 bits; 2^31 x 2^31 exceeds what a surface may hold.
    EXPECT_EQ(ResultCode::OutOfMemory, s.create(1ul << 33, 1ul << 31));
    EXPECT_EQ(nullptr, s.raw());
    EXPECT_EQ(0u, s.getWidth());
    EXPECT_EQ(0u, s.getHeight());
    EXPECT_EQ(ResultCode::OutOfMemory, s.create(0x80000000ul, 0x80000000ul));
    EXPECT_EQ(ResultCode::OutOfMemory, s.create(-1, 2));
    EXPECT_EQ(nullptr, s.raw());
}

TEST(Surface, CopiesShareAndCreateFromSurfaceDeepCopies)
{
    TestSurface a;
    ASSERT_EQ(0, a.create(3, 2));
    a.fillNative(0x1234);
    Surface shallow(a);
    EXPECT_EQ(3u, shallow.getWidth());
    shallow.setPixel(0, 0, 0x00FFFFFF);
    EXPECT_EQ(0xFFFF, a.at(0, 0));

    TestSurface deep;
    EXPECT_EQ(ResultCode::NullParameter, deep.create(static_cast<Surface*>(nullptr)));
    Surface empty;
    EXPECT_EQ(ResultCode::InvalidSurface, deep.create(&empty));
    ASSERT_EQ(0, deep.create(&a));
    EXPECT_NE(a.raw(), deep.raw());
    EXPECT_EQ(a.snapshot(), deep.snapshot());
    // Same size: the existing buffer is reused.
    unsigned short* buffer = deep.raw();
    a.setPixel(1, 1, 0x000000FF);
    ASSERT_EQ(0, deep.create(&a));
    EXPECT_EQ(buffer, deep.raw());
    EXPECT_EQ(0xF800, deep.at(1, 1));
}

TEST(Surface, PixelsCheckCoordinatesBeforeTheBuffer)
{
    TestSurface s;
    unsigned long color = 0;
    EXPECT_EQ(ResultCode::InvalidCoordinates, s.getPixel(0, 0, &color));
    ASSERT_EQ(0, s.create(4, 3));
    EXPECT_EQ(0, s.setPixel(1, 2, 0x00FFFFFF));
    EXPECT_EQ(0, s.getPixel(1, 2, &color));
    EXPECT_EQ(0x00F8FCF8u, color);
    EXPECT_EQ(ResultCode::InvalidCoordinates, s.getPixel(4, 0, &color));
    EXPECT_EQ(ResultCode::InvalidCoordinates, s.setPixel(0, 3, 0));
    EXPECT_EQ(ResultCode::NullParameter, s.getPixel(0, 0, nullptr));
}

TEST(Surface, LinesWalkBresenhamInBothDirections)
{
    TestSurface s;
    ASSERT_EQ(0, s.create(4, 2));
    s.fillNative(0);
    ASSERT_EQ(0, s.drawLine(0, 0, 3, 1, 0x00FFFFFF, 255));
    std::vector<unsigned short> forward = s.snapshot();
    std::vector<unsigned short> expected = {0xFFFF, 0xFFFF, 0, 0, 0, 0, 0xFFFF, 0xFFFF};
    EXPECT_EQ(expected, forward);
    s.fillNative(0);
    ASSERT_EQ(0, s.drawLine(3, 1, 0, 0, 0x00FFFFFF, 255));
    EXPECT_EQ(expected, s.snapshot());
}

TEST(Surface, LinesPlotEachPixelOnceWithBothEnds)
{
    // With the exact half, a pixel drawn twice would show as a quarter.
    TestSurface s;
    ASSERT_EQ(0, s.create(9, 9));
    const struct {
        unsigned long x1, y1, x2, y2;
        size_t expected;
    } lines[] = {{0, 0, 8, 3, 9}, {8, 3, 0, 0, 9}, {1, 8, 3, 0, 9}, {0, 0, 8, 8, 9}, {8, 0, 0, 8, 9},
                 {2, 5, 2, 1, 5}, {6, 4, 1, 4, 6}, {7, 7, 7, 7, 1}};
    for (const auto& line : lines) {
        s.fillNative(0);
        ASSERT_EQ(0, s.drawLine(line.x1, line.y1, line.x2, line.y2, 0x00FFFFFF, 128));
        size_t halves = 0;
        for (unsigned short p : s.snapshot()) {
            EXPECT_TRUE(p == 0 || p == 0x7BEF) << std::hex << p;
            halves += p == 0x7BEF;
        }
        EXPECT_EQ(line.expected, halves);
        EXPECT_EQ(0x7BEF, s.at(line.x1, line.y1));
        EXPECT_EQ(0x7BEF, s.at(line.x2, line.y2));
    }
}

TEST(Surface, LinesOnDiagonalTieUseTheYMajorWalk)
{
    TestSurface s;
    ASSERT_EQ(0, s.create(3, 3));
    s.fillNative(0);
    ASSERT_EQ(0, s.drawLine(0, 0, 2, 2, 0x00FFFFFF, 255));
    EXPECT_EQ(0xFFFF, s.at(1, 1));
    EXPECT_EQ(0, s.at(1, 0));
}

TEST(Surface, LineChecksInOrder)
{
    TestSurface s;
    EXPECT_EQ(ResultCode::InvalidCoordinates, s.drawLine(0, 0, 0, 0, 0, 255));
    ASSERT_EQ(0, s.create(4, 4));
    s.fillNative(0x1111);
    EXPECT_EQ(ResultCode::InvalidCoordinates, s.drawLine(0, 0, 4, 0, 0, 256));
    EXPECT_EQ(ResultCode::InvalidOpacity, s.drawLine(0, 0, 3, 3, 0, 256));
    EXPECT_EQ(0, s.drawLine(0, 0, 3, 3, 0, 0));
    EXPECT_EQ(std::vector<unsigned short>(16, 0x1111), s.snapshot());
}

TEST(Surface, RectangleRuleRefusesWithoutWriting)
{
    TestSurface s;
    ASSERT_EQ(0, s.create(8, 6));
    s.fillNative(0x1111);
    std::vector<unsigned short> untouched = s.snapshot();
    tagRECT tooWide = {0, 0, 9, 1};
    EXPECT_EQ(ResultCode::InvalidCoordinates, s.fillRect(0x00FFFFFF, &tooWide, 255));
    EXPECT_EQ(ResultCode::InvalidCoordinates, s.drawRect(0x00FFFFFF, &tooWide, 255));
    tagRECT negative = {-1, 0, 3, 3};
    EXPECT_EQ(ResultCode::InvalidCoordinates, s.fillRect(0x00FFFFFF, &negative, 255));
    tagRECT zeroWidth = {5, 5, 5, 9};
    EXPECT_EQ(0, s.fillRect(0x00FFFFFF, &zeroWidth, 255));
    tagRECT zeroHeightOutside = {0, 50, 100, 50};
    EXPECT_EQ(0, s.fillRect(0x00FFFFFF, &zeroHeightOutside, 255));
    EXPECT_EQ(ResultCode::InvalidOpacity, s.fillRect(0x00FFFFFF, nullptr, 256));
    EXPECT_EQ(0, s.fillRect(0x00FFFFFF, nullptr, 0));
    EXPECT_EQ(untouched, s.snapshot());

    // Inverted rectangles are normalised, then filled.
    tagRECT inverted = {3, 4, 1, 2};
    EXPECT_EQ(0, s.fillRect(0x00FFFFFF, &inverted, 255));
    for (unsigned long y = 0; y < 6; ++y)
        for (unsigned long x = 0; x < 8; ++x)
            EXPECT_EQ((x >= 1 && x < 3 && y >= 2 && y < 4) ? 0xFFFF : 0x1111, s.at(x, y)) << x << "," << y;

    TestSurface empty;
    EXPECT_EQ(ResultCode::InvalidSurface, empty.fillRect(0, nullptr, 0));
    EXPECT_EQ(ResultCode::InvalidSurface, empty.drawRect(0, nullptr, 300));
}

TEST(Surface, OpacityRuleAtItsBoundaries)
{
    TestSurface s;
    ASSERT_EQ(0, s.create(1, 1));
    tagRECT one = {0, 0, 1, 1};
    s.fillNative(0x0000);
    s.fillRect(0x000000FF, &one, 128);
    EXPECT_EQ(0x7800, s.at(0, 0)); // red 31 over 0: 15
    s.fillNative(0x0000);
    s.fillRect(0x000000FF, &one, 255);
    EXPECT_EQ(0xF800, s.at(0, 0));
    // Weight 63 (opacity 252..254) does not reach the colour: red 0 under 31 becomes 30.
    s.fillNative(0x0000);
    s.fillRect(0x000000FF, &one, 254);
    EXPECT_EQ(30 << 11, s.at(0, 0));
    // Opacity 1..3 gives weight 0.
    s.fillNative(0x1234);
    s.fillRect(0x00FFFFFF, &one, 3);
    EXPECT_EQ(0x1234, s.at(0, 0));
    // Blending down rounds towards minus infinity: 31 towards 0 with weight 1 gives 30.
    s.fillNative(0xFFFF);
    s.fillRect(0x00000000, &one, 4);
    EXPECT_EQ((30 << 11) | (62 << 5) | 30, s.at(0, 0));
}

TEST(Surface, FillsMatchThePixelRuleOnRandomData)
{
    std::mt19937 random(1234);
    TestSurface s;
    ASSERT_EQ(0, s.create(37, 11));
    for (int round = 0; round < 200; ++round) {
        for (unsigned long i = 0; i < 37 * 11; ++i)
            s.raw()[i] = static_cast<unsigned short>(random());
        std::vector<unsigned short> before = s.snapshot();
        unsigned long color = random() & 0xFFFFFF;
        unsigned long opacity = 1 + random() % 255;
        long left = random() % 37, top = random() % 11;
        tagRECT r = {static_cast<int32_t>(left), static_cast<int32_t>(top),
                     static_cast<int32_t>(left + 1 + random() % (37 - left)),
                     static_cast<int32_t>(top + 1 + random() % (11 - top))};
        if (round % 10 == 0)
            r = {0, static_cast<int32_t>(top), 37, 11};
        ASSERT_EQ(0, s.fillRect(color, &r, opacity));
        unsigned short c = 0;
        Surface::colorrefToNative(color, &c);
        for (long y = 0; y < 11; ++y) {
            for (long x = 0; x < 37; ++x) {
                unsigned short d = before[y * 37 + x];
                unsigned short expected = d;
                if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
                    expected = opacity == 255 ? c : opacity == 128 ? referenceHalf(c, d) : referenceBlend(c, d, opacity >> 2);
                ASSERT_EQ(expected, s.at(x, y)) << "opacity " << opacity << " at " << x << "," << y;
            }
        }
    }
}

TEST(Surface, OutlineDrawsEachEdgeInFull)
{
    TestSurface s;
    ASSERT_EQ(0, s.create(5, 5));
    s.fillNative(0);
    tagRECT r = {1, 1, 4, 4};
    ASSERT_EQ(0, s.drawRect(0x000000FF, &r, 128));
    // Red 31 halved once is 15, twice 15 + 7 = 22.
    const unsigned short once = 15 << 11, twice = 22 << 11;
    EXPECT_EQ(twice, s.at(1, 1));
    EXPECT_EQ(twice, s.at(3, 1));
    EXPECT_EQ(twice, s.at(1, 3));
    EXPECT_EQ(twice, s.at(3, 3));
    EXPECT_EQ(once, s.at(2, 1));
    EXPECT_EQ(once, s.at(1, 2));
    EXPECT_EQ(0, s.at(2, 2));
    EXPECT_EQ(0, s.at(0, 0));
    EXPECT_EQ(0, s.at(4, 4));
}

TEST(Surface, ProtectedLinesTakeTheirEndsInEitherOrder)
{
    TestSurface s;
    ASSERT_EQ(0, s.create(6, 6));
    s.fillNative(0);
    s.drawHorizontalLine(2, 4, 1, 0x00FFFFFF, 255);
    s.drawVerticalLine(5, 5, 3, 0x00FFFFFF, 255);
    for (unsigned long x = 0; x < 6; ++x)
        EXPECT_EQ((x >= 1 && x <= 4) ? 0xFFFF : 0, s.at(x, 2));
    for (unsigned long y = 0; y < 6; ++y)
        EXPECT_EQ(y >= 3 ? 0xFFFF : 0, s.at(5, y));
}

namespace {
// Reads view pixel (x, y) through the view's pitches.
unsigned short viewAt(const Surface::Buffer& b, long x, long y) { return b.pixels[x * b.xPitch + y * b.yPitch]; }
} // namespace

TEST(Surface, BufferViewsForEveryFlipAndAngle)
{
    // A 2x3 surface whose pixel (x, y) holds 10 * y + x.
    TestSurface s;
    ASSERT_EQ(0, s.create(2, 3));
    for (unsigned long y = 0; y < 3; ++y)
        for (unsigned long x = 0; x < 2; ++x)
            s.raw()[y * 2 + x] = static_cast<unsigned short>(10 * y + x);

    Surface::Buffer b;
    ASSERT_EQ(0, s.getBuffer(&b, 90, Surface::FLIP_NONE));
    EXPECT_EQ(3u, b.width);
    EXPECT_EQ(2u, b.height);
    EXPECT_EQ(-2, b.xPitch);
    EXPECT_EQ(1, b.yPitch);
    EXPECT_EQ(s.raw() + 4, b.pixels);

    for (int flip = 0; flip < 4; ++flip) {
        for (unsigned long angle : {0ul, 90ul, 180ul, 270ul, 45ul}) {
            ASSERT_EQ(0, s.getBuffer(&b, angle, static_cast<Surface::Flipping>(flip)));
            for (long y = 0; y < static_cast<long>(b.height); ++y) {
                for (long x = 0; x < static_cast<long>(b.width); ++x) {
                    // Expected: the mirrored image M, then the rotation of M.
                    long mx, my;
                    const long W = 2, H = 3;
                    if (angle == 90) {
                        mx = y;
                        my = H - 1 - x;
                    } else if (angle == 180) {
                        mx = W - 1 - x;
                        my = H - 1 - y;
                    } else if (angle == 270) {
                        mx = W - 1 - y;
                        my = x;
                    } else {
                        mx = x;
                        my = y;
                    }
                    long sx = (flip & 1) ? W - 1 - mx : mx;
                    long sy = (flip & 2) ? H - 1 - my : my;
                    EXPECT_EQ(10 * sy + sx, viewAt(b, x, y)) << "flip " << flip << " angle " << angle;
                }
            }
        }
    }
    TestSurface empty;
    EXPECT_EQ(ResultCode::InvalidSurface, empty.getBuffer(&b));
    EXPECT_EQ(0u, b.width);
    EXPECT_EQ(ResultCode::NullParameter, s.getBuffer(nullptr));
    EXPECT_EQ(ResultCode::InvalidSurface, empty.getBuffer(&b, 90, Surface::FLIP_BOTH));
}

TEST(Surface, IntersectFindsTheFirstSharedOpaquePixel)
{
    TestSurface a, b;
    ASSERT_EQ(0, a.create(4, 4));
    ASSERT_EQ(0, b.create(4, 4));
    a.fillNative(0xF81F); // magenta key everywhere
    b.fillNative(0xF81F);
    tagPOINT hit = {7, 7};
    ASSERT_EQ(0, a.intersect(0, 0, nullptr, &b, 1, 1, nullptr, 0x00FF00FF, 0x00FF00FF, &hit));
    EXPECT_EQ(-1, hit.x);
    EXPECT_EQ(-1, hit.y);

    // Opaque pixels: a at its (3, 2) = plane (13, 12); b at its (1, 0) = plane (13, 12).
    a.setPixel(3, 2, 0x00FFFFFF);
    b.setPixel(1, 0, 0x00FFFFFF);
    b.setPixel(0, 3, 0x00FFFFFF);
    ASSERT_EQ(0, a.intersect(10, 10, nullptr, &b, 12, 12, nullptr, 0x00FF00FF, 0x00FF00FF, &hit));
    EXPECT_EQ(13, hit.x);
    EXPECT_EQ(12, hit.y);

    // Keys compare after truncation: 0x00FF03FF is the same native magenta.
    ASSERT_EQ(0, a.intersect(10, 10, nullptr, &b, 12, 12, nullptr, 0x00FF03FF, 0x00FF07FF, &hit));
    EXPECT_EQ(13, hit.x);

    // Rectangles select the part of each surface that is placed.
    tagRECT left = {0, 0, 2, 4};
    ASSERT_EQ(0, a.intersect(10, 10, &left, &b, 12, 12, nullptr, 0x00FF00FF, 0x00FF00FF, &hit));
    EXPECT_EQ(-1, hit.x);

    // Boxes that only touch do not overlap.
    ASSERT_EQ(0, a.intersect(0, 0, nullptr, &b, 4, 0, nullptr, 0, 0, &hit));
    EXPECT_EQ(-1, hit.x);

    TestSurface one, two;
    ASSERT_EQ(0, one.create(1, 1));
    ASSERT_EQ(0, two.create(1, 1));
    one.fillNative(0xFFFF);
    two.fillNative(0xFFFF);
    ASSERT_EQ(0, one.intersect(-5, 7, nullptr, &two, -5, 7, nullptr, 0, 0, &hit));
    EXPECT_EQ(-5, hit.x);
    EXPECT_EQ(7, hit.y);
}

TEST(Surface, IntersectChecksArgumentsFirst)
{
    TestSurface a, b, empty;
    ASSERT_EQ(0, a.create(2, 2));
    ASSERT_EQ(0, b.create(2, 2));
    tagPOINT hit = {3, 3};
    EXPECT_EQ(ResultCode::NullParameter, a.intersect(0, 0, nullptr, &b, 0, 0, nullptr, 0, 0, nullptr));
    EXPECT_EQ(ResultCode::InvalidSurface, empty.intersect(0, 0, nullptr, &b, 0, 0, nullptr, 0, 0, &hit));
    EXPECT_EQ(ResultCode::NullParameter, a.intersect(0, 0, nullptr, nullptr, 0, 0, nullptr, 0, 0, &hit));
    EXPECT_EQ(ResultCode::InvalidSurface, a.intersect(0, 0, nullptr, &empty, 0, 0, nullptr, 0, 0, &hit));
    tagRECT outside = {0, 0, 3, 1};
    EXPECT_EQ(ResultCode::InvalidCoordinates, a.intersect(0, 0, &outside, &b, 0, 0, nullptr, 0, 0, &hit));
    EXPECT_EQ(ResultCode::InvalidCoordinates, a.intersect(0, 0, nullptr, &b, 0, 0, &outside, 0, 0, &hit));
    tagRECT zero = {1, 1, 1, 2};
    EXPECT_EQ(0, a.intersect(0, 0, &zero, &b, 0, 0, nullptr, 0, 0, &hit));
    // Refusals and zero areas leave the hit untouched.
    EXPECT_EQ(3, hit.x);
    EXPECT_EQ(3, hit.y);
}

TEST(Surface, IntersectAtTheLimitsOfLongNeitherOverflowsNorFindsAFarBox)
{
    TestSurface a, b;
    ASSERT_EQ(0, a.create(3, 3));
    ASSERT_EQ(0, b.create(3, 3));
    a.fillNative(0xFFFF);
    b.fillNative(0xFFFF);
    struct Placement {
        long x, y, otherX, otherY;
        bool overlap;
    };
    const long most = LONG_MAX, least = LONG_MIN;
    for (const Placement& p : {Placement{most, most, 0, 0, false}, Placement{least, least, most, most, false},
                               Placement{most - 1, 0, most - 2, 0, true}, Placement{least, 0, least + 2, 0, true},
                               Placement{most, least, least, most, false}}) {
        tagPOINT hit = {5, 5};
        ASSERT_EQ(0, a.intersect(p.x, p.y, nullptr, &b, p.otherX, p.otherY, nullptr, 0, 0, &hit)) << p.x;
        EXPECT_EQ(p.overlap, hit.x != -1) << p.x << " " << p.otherX;
    }
}
