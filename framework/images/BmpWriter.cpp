#include "images/BmpWriter.h"

#include "core/ResultCodes.h"
#include "graphics/Surface.h"
#include "images/ByteOrder.h"

#include <cstring>
#include <vector>

using ByteOrder::putLe16;
using ByteOrder::putLe32;

namespace {

constexpr uint32_t headerBytes = 14 + 40 + 12;

} // namespace

long writeBmp(Surface* surface, ImageOutput& output)
{
    Surface::Buffer view;
    surface->getBuffer(&view);
    const uint32_t stride = static_cast<uint32_t>((view.width * 2 + 3) & ~3ul);
    const uint32_t imageBytes = stride * static_cast<uint32_t>(view.height);

    unsigned char header[headerBytes] = {};
    header[0] = 'B';
    header[1] = 'M';
    putLe32(header + 2, headerBytes + imageBytes);
    putLe32(header + 10, headerBytes);
    putLe32(header + 14, 40);
    putLe32(header + 18, static_cast<uint32_t>(view.width));
    putLe32(header + 22, static_cast<uint32_t>(view.height));
    putLe16(header + 26, 1);
    putLe16(header + 28, 16);
    putLe32(header + 30, 3); // bit fields: the three masks follow the header
    putLe32(header + 34, imageBytes);
    putLe32(header + 54, 0xF800);
    putLe32(header + 58, 0x07E0);
    putLe32(header + 62, 0x001F);

    std::vector<unsigned char> row(stride, 0);
    if (!output.open())
        return ResultCode::ImageSaveError;
    bool written = output.write(header, headerBytes);
    for (unsigned long y = view.height; written && y-- > 0;) {
        const unsigned short* pixels = view.pixels + y * view.width;
        for (unsigned long x = 0; x < view.width; ++x)
            putLe16(&row[x * 2], pixels[x]);
        written = output.write(row.data(), stride);
    }
    output.close();
    return written ? ResultCode::Ok : ResultCode::ImageSaveError;
}
