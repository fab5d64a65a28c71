#include "images/BmpLayout.h"

#include "core/ResultCodes.h"
#include "images/ByteOrder.h"
#include "images/DecodeTarget.h"

#include <cstring>

using ByteOrder::le16;
using ByteOrder::le32;

namespace {

constexpr uint64_t fileHeaderBytes = 14;
constexpr uint64_t infoHeaderMinimum = 24;

BmpLayout::Channel channelOf(uint32_t mask)
{
    BmpLayout::Channel channel;
    channel.mask = mask;
    channel.shift = static_cast<uint8_t>(mask ? __builtin_ctz(mask) : 32);
    // More than 8 bits wraps to a large loss, and so to a zero channel.
    channel.loss = static_cast<uint8_t>(8 - __builtin_popcount(mask));
    return channel;
}

} // namespace

long BmpLayout::parse(const unsigned char* data, size_t size)
{
    if (size < fileHeaderBytes || std::memcmp(data, "BM", 2) != 0)
        return ResultCode::ImageOpenError;
    const uint64_t pixelOffset = le32(data + 10);
    if (size < fileHeaderBytes + infoHeaderMinimum)
        return ResultCode::ImageOpenError;

    const unsigned char* info = data + fileHeaderBytes;
    const uint32_t headerSize = le32(info);
    int64_t signedWidth;
    int64_t signedHeight;
    unsigned planes;
    uint64_t headerImageSize = 0;
    unsigned entryBytes;
    if (headerSize >= 40) {
        signedWidth = static_cast<int32_t>(le32(info + 4));
        signedHeight = static_cast<int32_t>(le32(info + 8));
        planes = le16(info + 12);
        bitCount = le16(info + 14);
        compression = le32(info + 16);
        headerImageSize = le32(info + 20);
        entryBytes = 4;
    } else if (headerSize >= 12) {
        // The old core header: 16-bit sides, no compression, 3-byte colour entries.
        signedWidth = le16(info + 4);
        signedHeight = le16(info + 6);
        planes = le16(info + 8);
        bitCount = le16(info + 10);
        compression = None;
        entryBytes = 3;
    } else {
        return ResultCode::ImageOpenError;
    }
    if (planes != 1)
        return ResultCode::ImageOpenError;
    // A negative height stores the rows top-down; the size is its magnitude.
    topDown = signedHeight < 0;
    const int64_t magnitude = topDown ? -signedHeight : signedHeight;
    if (!sideFits(signedWidth > 0 ? static_cast<uint64_t>(signedWidth) : 0) || !sideFits(magnitude))
        return ResultCode::ImageOpenError;
    width = static_cast<unsigned long>(signedWidth);
    height = static_cast<unsigned long>(magnitude);

    // Sides are at most 8192 and the bit count 16 bits wide: these products fit 64 bits.
    stride = ((bitCount * static_cast<uint64_t>(width) + 7) / 8 + 3) & ~static_cast<uint64_t>(3);
    if (compression == None || compression == BitFields)
        pixelBytes = stride * height;
    else
        pixelBytes = headerImageSize;

    const uint64_t afterHeader = fileHeaderBytes + static_cast<uint64_t>(headerSize);
    table = PixelRows::ColorTable();
    if (bitCount <= 8) {
        const uint64_t entries = 1ull << bitCount;
        if (afterHeader > size || (size - afterHeader) / entryBytes < entries)
            return ResultCode::ImageOpenError;
        const unsigned char* entry = data + afterHeader;
        for (uint64_t i = 0; i < entries; ++i, entry += entryBytes)
            table.set(i, entry[2], entry[1], entry[0]);
    }

    if ((bitCount == 16 || bitCount == 32) && compression == BitFields) {
        // Headers from version 2 on (52 bytes and more) hold the masks themselves; the
        // classic 40-byte one is followed by them.
        const uint64_t masksAt = headerSize >= 52 ? fileHeaderBytes + 40 : afterHeader;
        if (masksAt > size || size - masksAt < 12)
            return ResultCode::ImageOpenError;
        red = channelOf(le32(data + masksAt));
        green = channelOf(le32(data + masksAt + 4));
        blue = channelOf(le32(data + masksAt + 8));
    } else if (bitCount == 16) {
        red = channelOf(0x7C00);
        green = channelOf(0x03E0);
        blue = channelOf(0x001F);
    } else {
        red = channelOf(0xFF0000);
        green = channelOf(0xFF00);
        blue = channelOf(0xFF);
    }

    if (pixelOffset > size || size - pixelOffset < pixelBytes)
        return ResultCode::ImageOpenError;
    pixels = data + pixelOffset;
    return ResultCode::Ok;
}
