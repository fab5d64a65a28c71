// What the device layer takes from Linux's C library (glibc) and Emscripten's differs in:
// made here as glibc makes it, so that a game in a page behaves as it does natively.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <sys/xattr.h>

// The browser's file system keeps no extended attributes, and Emscripten's C library
// declares the calls without making them: they say so, as a Linux file system without
// them does, and the hidden and system attributes are let go (see HostFiles.h).
extern "C" ssize_t getxattr(const char*, const char*, void*, size_t)
{
    errno = ENOTSUP;
    return -1;
}

extern "C" int setxattr(const char*, const char*, const void*, size_t, int)
{
    errno = ENOTSUP;
    return -1;
}

// rand() and srand() as glibc's: its additive feedback generator (r[i] = r[i-31] + r[i-3],
// seeded by the minimal standard generator, the first 310 results dropped), unseeded as
// srand(1). A game that never seeds sees the same numbers in the page as on Linux.
namespace {
struct GlibcRandom {
    static constexpr int degree = 31;
    static constexpr int separation = 3;
    uint32_t state[degree];
    int front = separation;  // r[i-3]'s place: the newest value goes at `rear`
    int rear = 0;

    explicit GlibcRandom(unsigned seed) { reseed(seed); }

    void reseed(unsigned seed)
    {
        int32_t word = seed == 0 ? 1 : static_cast<int32_t>(seed);
        state[0] = static_cast<uint32_t>(word);
        for (int i = 1; i < degree; ++i) {
            // 16807 * word % 2147483647 without overflow (Schrage's method), as glibc does.
            const int32_t high = word / 127773, low = word % 127773;
            word = 16807 * low - 2836 * high;
            if (word < 0)
                word += 2147483647;
            state[i] = static_cast<uint32_t>(word);
        }
        front = separation;
        rear = 0;
        for (int i = 0; i < 10 * degree; ++i)
            next();
    }

    int next()
    {
        state[front] += state[rear];
        const int result = static_cast<int>(state[front] >> 1);
        front = (front + 1) % degree;
        rear = (rear + 1) % degree;
        return result;
    }
};

GlibcRandom& generator()
{
    static GlibcRandom instance(1);
    return instance;
}
} // namespace

extern "C" int rand(void) { return generator().next(); }

extern "C" void srand(unsigned seed) { generator().reseed(seed); }
