#ifndef PARVOLIN_ZIP_RECORDS_H
#define PARVOLIN_ZIP_RECORDS_H

#include <cstddef>
#include <cstdint>

// The records of a ZIP archive this reader uses, read from little-endian bytes.
namespace ZipRecords {
constexpr uint32_t endSignature = 0x06054B50;
constexpr size_t endRecordSize = 22;
constexpr size_t centralHeaderSize = 46;
constexpr size_t localHeaderSize = 30;
constexpr size_t largestComment = 65535;
constexpr uint16_t stored = 0;
constexpr uint16_t deflated = 8;

inline uint16_t read16(const unsigned char* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

inline uint32_t read32(const unsigned char* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}
} // namespace ZipRecords

// The end of central directory record.
struct ZipEndRecord {
    uint16_t disk;
    uint16_t directoryDisk;
    uint16_t entriesOnDisk;
    uint16_t entryCount;
    uint32_t directorySize;
    uint32_t directoryOffset;

    // Where the record starts in `tail` (the last bytes of the archive): the signature
    // nearest the end that leaves room for the whole record, searched at every offset so
    // that comments of any length are passed. False when there is none.
    static bool find(const unsigned char* tail, size_t length, size_t* at);
    static ZipEndRecord parse(const unsigned char* bytes);
};

// The lengths of a member's local header: its data starts after them.
struct ZipLocalHeader {
    uint16_t nameLength;
    uint16_t extraLength;

    static ZipLocalHeader parse(const unsigned char* bytes);
};

// One member of the central directory, or one of the file system's two root folders.
struct ZipEntry {
    ZipEntry() = default;
    ~ZipEntry() { delete[] name; }
    ZipEntry(const ZipEntry&) = delete;
    ZipEntry& operator=(const ZipEntry&) = delete;

    // Fills the header fields from a central directory header; the name is left alone.
    void parseHeader(const unsigned char* bytes);

    bool isRoot = false;
    // The stored name ended with '/': the archive's own entry for a folder.
    bool isFolder = false;
    uint16_t method = 0;
    // CRC-32 of the member's bytes, checked when a reader reaches the end.
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint16_t nameLength = 0;
    uint16_t extraLength = 0;
    uint16_t commentLength = 0;
    uint16_t startDisk = 0;
    uint32_t localHeaderOffset = 0;
    // Members: the normalised name without a leading '/'. Roots: their path.
    wchar_t* name = nullptr;
    unsigned long depth = 0;
};

#endif
