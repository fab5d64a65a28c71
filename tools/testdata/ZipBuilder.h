#ifndef PARVOLIN_TEST_ZIP_BUILDER_H
#define PARVOLIN_TEST_ZIP_BUILDER_H

// Builds ZIP archives in memory with zlib, for tests, benchmarks and fuzz seeds. Every
// field can be changed before build(), so hostile archives are made the same way.
// Header-only: the benchmarks use it too.

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

class ZipBuilder {
public:
    struct Member {
        std::string name;
        std::string content;      // what the member holds
        uint16_t method = 0;      // 0 stored, 8 deflated, anything else as given
        std::string data;         // the bytes stored in the archive for it
        uint32_t crc = 0;
        uint32_t compressedSize = 0;
        uint32_t uncompressedSize = 0;
        uint16_t startDisk = 0;
        std::string extra;        // in both headers
        std::string comment;      // in the central directory
        long localHeaderOffset = -1;  // where the directory says it is; -1: where it is
    };

    // Raw deflate of `content` (no zlib header), as ZIP members hold it.
    static std::string deflate(const std::string& content, int level = Z_DEFAULT_COMPRESSION)
    {
        z_stream stream = {};
        deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        std::string out(deflateBound(&stream, static_cast<uLong>(content.size())) + 16, '\0');
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
        stream.avail_in = static_cast<uInt>(content.size());
        stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
        stream.avail_out = static_cast<uInt>(out.size());
        ::deflate(&stream, Z_FINISH);
        out.resize(stream.total_out);
        deflateEnd(&stream);
        return out;
    }

    // A member whose data, sizes and checksum follow from `content` and `method`.
    Member& add(const std::string& name, const std::string& content, uint16_t method = 0)
    {
        Member member;
        member.name = name;
        member.content = content;
        member.method = method;
        member.data = method == 8 ? deflate(content) : content;
        member.crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())));
        member.compressedSize = static_cast<uint32_t>(member.data.size());
        member.uncompressedSize = static_cast<uint32_t>(content.size());
        members.push_back(member);
        return members.back();
    }

    // A folder entry as archivers store them: the name ends with '/', nothing in it.
    Member& addFolder(const std::string& name) { return add(name.back() == '/' ? name : name + "/", ""); }

    std::vector<Member> members;
    std::string comment;
    // Changes to the end record; negative values keep what build() works out.
    long entryCount = -1;
    long entriesOnDisk = -1;
    long directoryOffset = -1;
    uint16_t disk = 0;
    uint16_t directoryDisk = 0;

    std::string build() const
    {
        std::string out;
        std::vector<uint32_t> offsets;
        for (const Member& m : members) {
            offsets.push_back(static_cast<uint32_t>(out.size()));
            put32(out, 0x04034B50);
            putCommonFields(out, m);
            out += m.name;
            out += m.extra;
            out += m.data;
        }
        uint32_t directoryStart = static_cast<uint32_t>(out.size());
        for (size_t i = 0; i < members.size(); ++i) {
            const Member& m = members[i];
            put32(out, 0x02014B50);
            put16(out, 20);  // made by
            putCommonFields(out, m);
            put16(out, static_cast<uint16_t>(m.comment.size()));
            put16(out, m.startDisk);
            put16(out, 0);
            put32(out, 0);
            put32(out, m.localHeaderOffset >= 0 ? static_cast<uint32_t>(m.localHeaderOffset) : offsets[i]);
            out += m.name;
            out += m.extra;
            out += m.comment;
        }
        uint32_t directorySize = static_cast<uint32_t>(out.size()) - directoryStart;
        uint16_t count = static_cast<uint16_t>(entryCount >= 0 ? entryCount : static_cast<long>(members.size()));
        put32(out, 0x06054B50);
        put16(out, disk);
        put16(out, directoryDisk);
        put16(out, entriesOnDisk >= 0 ? static_cast<uint16_t>(entriesOnDisk) : count);
        put16(out, count);
        put32(out, directorySize);
        put32(out, directoryOffset >= 0 ? static_cast<uint32_t>(directoryOffset) : directoryStart);
        put16(out, static_cast<uint16_t>(comment.size()));
        out += comment;
        return out;
    }

private:
    // The fields both headers share, from "version needed" to the extra field's length.
    static void putCommonFields(std::string& out, const Member& m)
    {
        put16(out, 20);
        put16(out, 0);
        put16(out, m.method);
        put16(out, 0);
        put16(out, 0x21);  // 1980-01-01
        put32(out, m.crc);
        put32(out, m.compressedSize);
        put32(out, m.uncompressedSize);
        put16(out, static_cast<uint16_t>(m.name.size()));
        put16(out, static_cast<uint16_t>(m.extra.size()));
    }

    static void put16(std::string& out, uint16_t value)
    {
        out += static_cast<char>(value & 0xFF);
        out += static_cast<char>(value >> 8);
    }

    static void put32(std::string& out, uint32_t value)
    {
        put16(out, static_cast<uint16_t>(value & 0xFFFF));
        put16(out, static_cast<uint16_t>(value >> 16));
    }
};

#endif
