#ifndef PARVOLIN_BYTE_ORDER_H
#define PARVOLIN_BYTE_ORDER_H

#include <cstdint>

// Little-endian fields of image files, read and written byte by byte so that alignment
// and the host's byte order never matter.
namespace ByteOrder {

inline uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t le32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

inline void putLe16(unsigned char* p, uint32_t value)
{
    p[0] = static_cast<unsigned char>(value);
    p[1] = static_cast<unsigned char>(value >> 8);
}

inline void putLe32(unsigned char* p, uint32_t value)
{
    putLe16(p, value);
    putLe16(p + 2, value >> 16);
}

} // namespace ByteOrder

#endif
