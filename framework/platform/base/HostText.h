#ifndef PARVOLIN_HOST_TEXT_H
#define PARVOLIN_HOST_TEXT_H

#include <cstddef>
#include <cstdint>
#include <string>

// Conversions between the device's wide texts and the host's UTF-8 bytes. Bytes that are
// not valid UTF-8 become U+DC80..U+DCFF and turn back into the same bytes, so every host
// file name survives a round trip through a wide path.
namespace HostText {

// False when the text holds a character UTF-8 cannot carry (a lone surrogate outside the
// escape range, or a value above U+10FFFF); `out` is then unspecified.
bool toUtf8(const wchar_t* text, std::string& out);

std::wstring fromUtf8(const char* bytes, size_t length);
std::wstring fromUtf8(const std::string& bytes);

// A device path as the host names it: the device's '\' separators become '/'.
bool toHostPath(const wchar_t* path, std::string& out);

// A number written by a person (a variable, a line of a script): decimal digits alone, no
// sign or blanks, at most `largest`; false for anything else.
bool wholeNumber(const std::string& text, uint64_t largest, uint64_t& value);

} // namespace HostText

#endif
