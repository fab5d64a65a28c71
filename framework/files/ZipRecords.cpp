#include "files/ZipRecords.h"

using namespace ZipRecords;

bool ZipEndRecord::find(const unsigned char* tail, size_t length, size_t* at)
{
    if (length < endRecordSize)
        return false;
    for (size_t offset = length - endRecordSize + 1; offset-- > 0;) {
        if (read32(tail + offset) == endSignature) {
            *at = offset;
            return true;
        }
    }
    return false;
}

ZipEndRecord ZipEndRecord::parse(const unsigned char* bytes)
{
    ZipEndRecord record;
    record.disk = read16(bytes + 4);
    record.directoryDisk = read16(bytes + 6);
    record.entriesOnDisk = read16(bytes + 8);
    record.entryCount = read16(bytes + 10);
    record.directorySize = read32(bytes + 12);
    record.directoryOffset = read32(bytes + 16);
    return record;
}

ZipLocalHeader ZipLocalHeader::parse(const unsigned char* bytes)
{
    ZipLocalHeader header;
    header.nameLength = read16(bytes + 26);
    header.extraLength = read16(bytes + 28);
    return header;
}

void ZipEntry::parseHeader(const unsigned char* bytes)
{
    method = read16(bytes + 10);
    crc = read32(bytes + 16);
    compressedSize = read32(bytes + 20);
    uncompressedSize = read32(bytes + 24);
    nameLength = read16(bytes + 28);
    extraLength = read16(bytes + 30);
    commentLength = read16(bytes + 32);
    startDisk = read16(bytes + 34);
    localHeaderOffset = read32(bytes + 42);
}
