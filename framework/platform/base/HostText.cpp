#include "platform/base/HostText.h"

#include <cstdint>

namespace {
constexpr uint32_t escapeBase = 0xDC00;

bool isEscapedByte(uint32_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

// Length of the valid UTF-8 sequence starting at `bytes`, or 0 when it is not one
// (overlong forms, surrogates and values above U+10FFFF are not valid).
size_t decodeOne(const unsigned char* bytes, size_t available, uint32_t& value)
{
    unsigned char lead = bytes[0];
    size_t length;
    uint32_t minimum;
    if (lead < 0x80) {
        value = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, value = lead & 0x07;
    } else {
        return 0;
    }
    if (available < length)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (bytes[i] & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}
} // namespace

namespace HostText {

bool toUtf8(const wchar_t* text, std::string& out)
{
    out.clear();
    for (; *text; ++text) {
        uint32_t c = static_cast<uint32_t>(*text);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (isEscapedByte(c)) {
            out += static_cast<char>(c - escapeBase);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return false;
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c <= 0x10FFFF) {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            return false;
        }
    }
    return true;
}

std::wstring fromUtf8(const char* bytes, size_t length)
{
    std::wstring out;
    const unsigned char* at = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char* end = at + length;
    while (at < end) {
        uint32_t value;
        size_t used = decodeOne(at, static_cast<size_t>(end - at), value);
        if (used == 0) {
            out += static_cast<wchar_t>(escapeBase + *at);
            ++at;
        } else {
            out += static_cast<wchar_t>(value);
            at += used;
        }
    }
    return out;
}

std::wstring fromUtf8(const std::string& bytes) { return fromUtf8(bytes.data(), bytes.size()); }

bool toHostPath(const wchar_t* path, std::string& out)
{
    if (!toUtf8(path, out))
        return false;
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return true;
}

bool wholeNumber(const std::string& text, uint64_t largest, uint64_t& value)
{
    if (text.empty())
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (digit > largest || value > (largest - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return true;
}

} // namespace HostText
