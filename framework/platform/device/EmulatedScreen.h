#ifndef PARVOLIN_EMULATED_SCREEN_H
#define PARVOLIN_EMULATED_SCREEN_H

#include "platform/device/DeviceProfile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Where the pixels a layout describes lie, counted in bytes from its pixel (0, 0): from
// `lowest` (zero or negative) for `bytes` bytes. Empty when the layout describes nothing
// or more than a frame buffer can be.
struct FrameBufferSpan {
    ptrdiff_t lowest = 0;
    size_t bytes = 0;
};

// The span of `width` x `height` pixels of `bitsPerPixel` bits at those pitches.
FrameBufferSpan spanOf(const FrameBufferLayout& layout);

bool sameLayout(const FrameBufferLayout& a, const FrameBufferLayout& b);

// The emulated handheld's frame buffer: the memory behind the glass, laid out as the
// current device says (pitches, pixel format and, on some devices, a fixed address). The
// screen interfaces ("GX.dll", the raw frame-buffer query, "ddraw.dll") hand out addresses
// inside it and tell it when a frame is finished; the host shows it.
class EmulatedScreen {
public:
    ~EmulatedScreen();
    EmulatedScreen(const EmulatedScreen&) = delete;
    EmulatedScreen& operator=(const EmulatedScreen&) = delete;

    // The current device's screen, made on first use and made anew when another device is
    // chosen (the contents do not survive that). Null when the frame buffer cannot be
    // placed where the device has it: failureReason() says why, and stderr was told.
    static EmulatedScreen* current();
    static std::string failureReason();

    const FrameBufferLayout& layout() const { return frameLayout; }
    // The address of glass pixel (0, 0).
    unsigned char* origin() const { return memory + originOffset; }
    unsigned char* memoryStart() const { return memory; }
    size_t memorySize() const { return memoryBytes; }

    // Where an interface that describes this memory with `description` must put its pixel
    // (0, 0) so that every pixel it describes lies inside the frame buffer; null when
    // they do not fit. A description that is the true layout gets origin().
    unsigned char* originFor(const FrameBufferLayout& description) const;

    // The stored value of glass pixel (x, y), as a person holds the device.
    uint32_t rawPixel(uint32_t x, uint32_t y) const;

    // A frame is finished: the host shows the glass.
    void present();

    // The program gave the system a moment. Frame buffers that are written with no
    // end-of-frame call (the raw frame buffer, fixed addresses) are shown from here, as a
    // display controller would refresh the glass, at most sixty times a second.
    static void scanOut();

private:
    class Memory;
    EmulatedScreen(const FrameBufferLayout& layout, std::unique_ptr<Memory> storage, ptrdiff_t originOffset);
    static std::unique_ptr<EmulatedScreen> make(const DeviceProfile& device, std::string& why);

    FrameBufferLayout frameLayout;
    std::unique_ptr<Memory> storage;
    unsigned char* memory;
    size_t memoryBytes;
    ptrdiff_t originOffset;
    uint64_t lastPresent = 0;
};

#endif
