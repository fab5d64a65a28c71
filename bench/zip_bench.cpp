// Reading every member of an archive of a few hundred files (stored and deflated, a few
// MB) through "zip:", against zlib's raw inflate of the same members from memory and
// against `unzip -p` of the same archive. Items are the members' uncompressed bytes, per
// second of real time (unzip works in a process of its own).
#include "BenchRatios.h"

#include "files/File.h"
#include "files/FileSystemManager.h"
#include "testdata/ZipBuilder.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

struct Archive {
    std::string path;
    std::string bytes;
    std::vector<std::wstring> names;
    std::vector<ZipBuilder::Member> members;
    int64_t totalBytes = 0;
};

// Text-like content that deflates about as well as game data files do.
std::string content(std::mt19937& random, size_t length)
{
    static const char* const words[] = {"apple", "snake", "level", "score", "sprite", "frame", "panel",
                                        "0x3F", "tile", "map", "=", ",", "\n", "font", "glyph", "alpha"};
    std::string text;
    while (text.size() < length) {
        text += words[random() % (sizeof(words) / sizeof(words[0]))];
        text += static_cast<char>(' ' + random() % 3);
        if (random() % 16 == 0)
            text += static_cast<char>(random());  // some noise
    }
    text.resize(length);
    return text;
}

const Archive& archive()
{
    static Archive made = [] {
        Archive a;
        std::mt19937 random(1234);
        ZipBuilder builder;
        for (int i = 0; i < 320; ++i) {
            std::string name = "data/set" + std::to_string(i % 8) + "/member" + std::to_string(i) + ".dat";
            size_t length = 1000 + random() % 24000;
            builder.add(name, content(random, length), i % 3 == 0 ? 0 : 8);
            a.names.push_back(std::wstring(name.begin(), name.end()));
            a.totalBytes += static_cast<int64_t>(length);
        }
        a.members = builder.members;
        a.bytes = builder.build();
        a.path = (std::filesystem::temp_directory_path() / "parvolin-zip-bench.zip").string();
        std::ofstream(a.path, std::ios::binary) << a.bytes;
        return a;
    }();
    return made;
}

void ours(benchmark::State& state)
{
    const Archive& a = archive();
    std::wstring uri = L"zip:" + std::wstring(a.path.begin(), a.path.end());
    std::vector<char> buffer(65536);
    FileSystemManager manager;
    for (auto _ : state) {
        File root;
        if (manager.resolveFile(&root, uri.c_str()) != 0) {
            state.SkipWithError("the archive does not open");
            break;
        }
        int64_t total = 0;
        for (const std::wstring& name : a.names) {
            File member;
            root.resolveFile(&member, name.c_str());
            member.open();
            long got;
            while ((got = member.read(buffer.data(), static_cast<unsigned long>(buffer.size()))) > 0)
                total += got;
            member.close();
        }
        if (total != a.totalBytes) {
            state.SkipWithError("the members did not read back whole");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetItemsProcessed(state.iterations() * a.totalBytes);
}

// What inflating costs at the least: the same member bytes, from memory, straight into
// one buffer per member.
void zlibRawInflate(benchmark::State& state)
{
    const Archive& a = archive();
    std::vector<unsigned char> out(65536);
    for (auto _ : state) {
        for (const ZipBuilder::Member& m : a.members) {
            if (out.size() < m.uncompressedSize)
                out.resize(m.uncompressedSize);
            if (m.method == 0) {
                std::memcpy(out.data(), m.data.data(), m.data.size());
                continue;
            }
            z_stream stream = {};
            inflateInit2(&stream, -15);
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(m.data.data()));
            stream.avail_in = static_cast<uInt>(m.data.size());
            stream.next_out = out.data();
            stream.avail_out = static_cast<uInt>(out.size());
            if (inflate(&stream, Z_FINISH) != Z_STREAM_END)
                state.SkipWithError("zlib did not inflate a member");
            inflateEnd(&stream);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * a.totalBytes);
}

void unzipPipe(benchmark::State& state)
{
    const Archive& a = archive();
    std::string command = "unzip -p -qq '" + a.path + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("unzip failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * a.totalBytes);
}

} // namespace

int main(int argc, char** argv)
{
    const char* work = "read every member of 320 (2/3 deflated)";
    benchmark::RegisterBenchmark((std::string(work) + "/parvolin").c_str(), ours)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark((std::string(work) + "/zlib raw inflate").c_str(), zlibRawInflate)
        ->Unit(benchmark::kMillisecond)->UseRealTime();
    if (std::system("command -v unzip > /dev/null 2>&1") == 0)
        benchmark::RegisterBenchmark((std::string(work) + "/unzip -p").c_str(), unzipPipe)
            ->Unit(benchmark::kMillisecond)->UseRealTime();
    int result = BenchRatios::runAll(argc, argv);
    std::remove(archive().path.c_str());
    return result;
}
