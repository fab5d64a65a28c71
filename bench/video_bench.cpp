// Video frames: the YUV 4:2:0 to RGB565 conversion against libswscale converting the same
// planes to RGB565 (and against our narrower kernel and our plain rule), and whole frames
// decoded and converted (through Video, from a file) against libtheora's decoder with
// libswscale.
#include "BenchRatios.h"

#include "graphics/Surface.h"
#include "pixels/VectorKernels.h"
#include "pixels/YuvKernels.h"
#include "testdata/TheoraClip.h"
#include "video/Video.h"
#include "video/VideoSource.h"

#include <benchmark/benchmark.h>
#include <theora/theoradec.h>

extern "C" {
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Size {
    int width;
    int height;
};

std::string workName(const char* what, Size size)
{
    return std::string(what) + " " + std::to_string(size.width) + "x" + std::to_string(size.height);
}

// One picture's planes with gradients in every plane.
struct Planes {
    explicit Planes(Size size)
        : y(size_t(size.width) * size.height), u(size_t(size.width / 2) * (size.height / 2)), v(u.size())
    {
        for (int row = 0; row < size.height; ++row)
            for (int x = 0; x < size.width; ++x)
                y[size_t(row) * size.width + x] = static_cast<uint8_t>(x + 2 * row);
        for (size_t i = 0; i < u.size(); ++i) {
            u[i] = static_cast<uint8_t>(i * 3);
            v[i] = static_cast<uint8_t>(255 - i * 5);
        }
    }
    std::vector<uint8_t> y, u, v;
};

void convertOurs(benchmark::State& state, Size size, bool vector)
{
    Planes planes(size);
    std::vector<uint16_t> target(size_t(size.width) * size.height);
    YuvKernels::Picture picture = {planes.y.data(), planes.u.data(), planes.v.data(), size.width, size.width / 2,
                                   static_cast<unsigned long>(size.width), static_cast<unsigned long>(size.height)};
    setVectorKernelsEnabled(vector);
    for (auto _ : state) {
        YuvKernels::convert(picture, target.data(), size.width);
        benchmark::ClobberMemory();
    }
    setVectorKernelsEnabled(true);
    state.SetItemsProcessed(state.iterations() * size.width * size.height);
}

// The baseline (SSE2) kernel alone, row pair by row pair, where the processor would pick a
// wider one.
void convertSse2(benchmark::State& state, Size size)
{
    Planes planes(size);
    std::vector<uint16_t> target(size_t(size.width) * size.height);
    auto kernel = baselineKernels().yuvRowPair;
    const size_t width = static_cast<size_t>(size.width);
    for (auto _ : state) {
        for (int row = 0; row < size.height; row += 2)
            kernel(&target[row * width], &target[(row + 1) * width], &planes.y[row * width],
                   &planes.y[(row + 1) * width], &planes.u[row / 2 * width / 2], &planes.v[row / 2 * width / 2],
                   width / 2);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * size.width * size.height);
}

SwsContext* swscaleContext(Size size)
{
    // No scaling: the context only converts; point sampling keeps it on its fastest path.
    return sws_getContext(size.width, size.height, AV_PIX_FMT_YUV420P, size.width, size.height, AV_PIX_FMT_RGB565LE,
                          SWS_POINT, nullptr, nullptr, nullptr);
}

void convertSwscale(benchmark::State& state, Size size)
{
    Planes planes(size);
    std::vector<uint16_t> target(size_t(size.width) * size.height);
    SwsContext* context = swscaleContext(size);
    const uint8_t* sources[3] = {planes.y.data(), planes.u.data(), planes.v.data()};
    const int sourceStrides[3] = {size.width, size.width / 2, size.width / 2};
    uint8_t* destinations[1] = {reinterpret_cast<uint8_t*>(target.data())};
    const int destinationStrides[1] = {size.width * 2};
    for (auto _ : state) {
        sws_scale(context, sources, sourceStrides, 0, size.height, destinations, destinationStrides);
        benchmark::ClobberMemory();
    }
    sws_freeContext(context);
    state.SetItemsProcessed(state.iterations() * size.width * size.height);
}

// A clip of `frames` frames of moving gradients, as a game would ship one.
std::string benchClip(Size size, int frames)
{
    ClipFormat format;
    format.pictureWidth = static_cast<unsigned>(size.width);
    format.pictureHeight = static_cast<unsigned>(size.height);
    format.quality = 48;
    std::vector<YuvFrame> content;
    for (int k = 0; k < frames; ++k) {
        YuvFrame frame = format.blankFrame();
        for (unsigned row = 0; row < frame.height; ++row)
            for (unsigned x = 0; x < frame.width; ++x)
                frame.lumaAt(x, row) = static_cast<uint8_t>(x + row + unsigned(k) * 4);
        for (unsigned row = 0; row < frame.height / 2; ++row)
            for (unsigned x = 0; x < frame.width / 2; ++x) {
                frame.cbAt(x, row) = static_cast<uint8_t>(x * 2 + unsigned(k));
                frame.crAt(x, row) = static_cast<uint8_t>(row * 2 + unsigned(k));
            }
        content.push_back(frame);
    }
    return encodeTheoraClip(format, content);
}

constexpr int clipFrames = 60;

// A video whose source tells how many frames it has decoded.
class CountedVideo : public Video {
public:
    uint32_t framesDecoded() { return source ? source->getFramesDecoded() : 0; }
};

void decodeOurs(benchmark::State& state, Size size)
{
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("parvolin-video-bench-" + std::to_string(size.width) + ".ogv"))
                                 .string();
    std::ofstream(file, std::ios::binary) << benchClip(size, clipFrames);
    const std::wstring path = L"file:" + std::wstring(file.begin(), file.end());
    CountedVideo video;
    Surface target;
    video.open(path.c_str());
    int64_t frames = 0;
    for (auto _ : state) {
        // Calls that only read show nothing: each iteration is one whole frame.
        const uint32_t before = video.framesDecoded();
        long result;
        while ((result = video.getNextFrame(&target)) == 0 && video.framesDecoded() == before) {
        }
        if (result == 11) {
            state.PauseTiming();
            video.open(path.c_str());
            state.ResumeTiming();
            continue;
        }
        ++frames;
        benchmark::ClobberMemory();
    }
    video.close();
    target.free();
    std::remove(file.c_str());
    state.SetItemsProcessed(frames * size.width * size.height);
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

// libtheora's own decoding interface over the clip in memory, then libswscale.
void decodeTheoraSwscale(benchmark::State& state, Size size)
{
    const std::string clip = benchClip(size, clipFrames);
    // The packets, taken apart once: the peer pays for decoding and converting only.
    std::vector<std::string> packets = oggPackets(clip);
    th_info info;
    th_comment comment;
    th_setup_info* setup = nullptr;
    th_info_init(&info);
    th_comment_init(&comment);
    size_t next = 0;
    for (; next < packets.size(); ++next) {
        ogg_packet packet = theoraPacket(packets[next], next);
        if (th_decode_headerin(&info, &comment, &setup, &packet) <= 0)
            break;
    }
    const size_t firstFrame = next;
    th_dec_ctx* decoder = th_decode_alloc(&info, setup);
    std::vector<uint16_t> target(size_t(size.width) * size.height);
    SwsContext* context = swscaleContext(size);
    uint8_t* destinations[1] = {reinterpret_cast<uint8_t*>(target.data())};
    const int destinationStrides[1] = {size.width * 2};
    int64_t frames = 0;
    for (auto _ : state) {
        if (next == packets.size()) {
            state.PauseTiming();
            th_decode_free(decoder);
            decoder = th_decode_alloc(&info, setup);
            next = firstFrame;
            state.ResumeTiming();
        }
        ogg_packet packet = theoraPacket(packets[next], next);
        ++next;
        th_decode_packetin(decoder, &packet, nullptr);
        th_ycbcr_buffer planes;
        th_decode_ycbcr_out(decoder, planes);
        const uint8_t* sources[3] = {planes[0].data, planes[1].data, planes[2].data};
        const int strides[3] = {planes[0].stride, planes[1].stride, planes[2].stride};
        sws_scale(context, sources, strides, 0, size.height, destinations, destinationStrides);
        ++frames;
        benchmark::ClobberMemory();
    }
    sws_freeContext(context);
    th_decode_free(decoder);
    th_setup_free(setup);
    th_comment_clear(&comment);
    th_info_clear(&info);
    state.SetItemsProcessed(frames * size.width * size.height);
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

} // namespace

int main(int argc, char** argv)
{
    for (Size size : {Size{176, 144}, Size{320, 240}, Size{640, 480}}) {
        const std::string convert = workName("yuv420 to rgb565", size);
        benchmark::RegisterBenchmark((convert + "/parvolin").c_str(), convertOurs, size, true);
        if (baselineKernels().yuvRowPair && processorKernels().yuvRowPair != baselineKernels().yuvRowPair)
            benchmark::RegisterBenchmark((convert + "/sse2 kernel").c_str(), convertSse2, size);
        benchmark::RegisterBenchmark((convert + "/plain rule").c_str(), convertOurs, size, false);
        benchmark::RegisterBenchmark((convert + "/libswscale").c_str(), convertSwscale, size);
    }
    for (Size size : {Size{176, 144}, Size{320, 240}, Size{640, 480}}) {
        const std::string decode = workName("decode+convert", size);
        benchmark::RegisterBenchmark((decode + "/parvolin").c_str(), decodeOurs, size);
        benchmark::RegisterBenchmark((decode + "/theora+swscale").c_str(), decodeTheoraSwscale, size);
    }
    return BenchRatios::runAll(argc, argv);
}
