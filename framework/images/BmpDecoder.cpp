#include "images/BmpDecoder.h"

#include "core/ResultCodes.h"
#include "images/BmpLayout.h"
#include "images/BmpRunLength.h"
#include "images/ByteOrder.h"
#include "images/DecodeTarget.h"

namespace {

bool supported(unsigned bitCount, uint32_t compression)
{
    switch (bitCount) {
    case 1:
    case 24:
        return compression == BmpLayout::None;
    case 4:
        return compression == BmpLayout::None || compression == BmpLayout::RunLength4;
    case 8:
        return compression == BmpLayout::None || compression == BmpLayout::RunLength8;
    case 16:
    case 32:
        return compression == BmpLayout::None || compression == BmpLayout::BitFields;
    default:
        return false;
    }
}

// One uncompressed row of the file into one surface row.
void convertRow(const BmpLayout& layout, const unsigned char* in, uint16_t* out)
{
    const unsigned long width = layout.width;
    const PixelRows::ColorTable& table = layout.table;
    switch (layout.bitCount) {
    case 1:
        // Most significant bit first.
        for (unsigned long x = 0; x < width; ++x)
            out[x] = table.colors[(in[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    case 4:
        // High nibble first; an odd width ends on the high nibble of the last byte.
        for (unsigned long x = 0; x < width; ++x)
            out[x] = table.colors[(x & 1) ? in[x >> 1] & 0x0F : in[x >> 1] >> 4];
        break;
    case 8:
        table.lookUp(in, 1, width, out);
        break;
    case 16:
        for (unsigned long x = 0; x < width; ++x, in += 2) {
            uint32_t pixel = ByteOrder::le16(in);
            out[x] = PixelRules::pack8(layout.red.widened(pixel), layout.green.widened(pixel),
                                       layout.blue.widened(pixel));
        }
        break;
    case 24:
        PixelRows::pack<3, 2, 1, 0>(in, width, out);
        break;
    case 32:
        for (unsigned long x = 0; x < width; ++x, in += 4) {
            uint32_t pixel = ByteOrder::le32(in);
            out[x] = PixelRules::pack8(layout.red.lowByte(pixel), layout.green.lowByte(pixel),
                                       layout.blue.lowByte(pixel));
        }
        break;
    }
}

} // namespace

long BmpDecoder::decode(const unsigned char* data, size_t size, Surface* target, Surface*)
{
    BmpLayout layout;
    if (long result = layout.parse(data, size))
        return result;
    if (!supported(layout.bitCount, layout.compression))
        return ResultCode::UnsupportedImageType;
    DecodeTarget rows(target);
    if (long result = rows.size(layout.width, layout.height))
        return result;
    if (layout.compression == BmpLayout::RunLength4 || layout.compression == BmpLayout::RunLength8) {
        expandRunLength(layout, rows);
        return ResultCode::Ok;
    }
    for (unsigned long y = 0; y < layout.height; ++y)
        convertRow(layout, layout.pixels + y * layout.stride, rows.row(layout.surfaceRow(y)));
    return ResultCode::Ok;
}
