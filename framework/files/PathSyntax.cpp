#include "files/PathSyntax.h"

#include <cwchar>
#include <new>

namespace PathSyntax {

namespace {
bool isLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool isSchemeCharacter(wchar_t c)
{
    return isLetter(c) || (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'.';
}

bool isDotDot(const wchar_t* component, size_t length)
{
    return length == 2 && component[0] == L'.' && component[1] == L'.';
}
} // namespace

wchar_t* copyText(const wchar_t* text) { return text ? joinTexts(text, nullptr, nullptr) : nullptr; }

wchar_t* joinTexts(const wchar_t* first, const wchar_t* separator, const wchar_t* second)
{
    size_t firstLength = first ? std::wcslen(first) : 0;
    size_t separatorLength = separator ? std::wcslen(separator) : 0;
    size_t secondLength = second ? std::wcslen(second) : 0;
    wchar_t* joined = new (std::nothrow) wchar_t[firstLength + separatorLength + secondLength + 1];
    if (!joined)
        return nullptr;
    std::wmemcpy(joined, first ? first : L"", firstLength);
    std::wmemcpy(joined + firstLength, separator ? separator : L"", separatorLength);
    std::wmemcpy(joined + firstLength + separatorLength, second ? second : L"", secondLength);
    joined[firstLength + separatorLength + secondLength] = 0;
    return joined;
}

void splitScheme(const wchar_t* text, wchar_t* scheme, wchar_t* rest)
{
    size_t i = 0;
    while (text[i] && text[i] != L':') {
        bool allowed = i == 0 ? isLetter(text[i]) : isSchemeCharacter(text[i]);
        if (!allowed)
            break;
        ++i;
    }
    if (text[i] == L':') {
        std::wmemcpy(scheme, text, i);
        scheme[i] = 0;
        std::wcscpy(rest, text + i + 1);
    } else {
        scheme[0] = 0;
        std::wcscpy(rest, text);
    }
}

SchemeSplit::SchemeSplit(const wchar_t* text) : scheme(nullptr), rest(nullptr)
{
    if (!text)
        return;
    size_t length = std::wcslen(text) + 1;
    scheme = new (std::nothrow) wchar_t[length];
    rest = new (std::nothrow) wchar_t[length];
    if (isValid())
        splitScheme(text, scheme, rest);
}

SchemeSplit::~SchemeSplit()
{
    delete[] scheme;
    delete[] rest;
}

void toForwardSlashes(wchar_t* text)
{
    for (; *text; ++text)
        if (*text == L'\\')
            *text = L'/';
}

bool normalise(wchar_t* text)
{
    if (!text || !text[0])
        return false;
    if (text[0] == L'/' && text[1] == 0)
        return true;
    // The result is written over the text as it is read: it never grows, so the write
    // position never passes the read position.
    const size_t base = text[0] == L'/' ? 1 : 0;
    size_t written = base;
    size_t leadingEnd = base;  // the kept leading ".." components end here
    bool atStart = true;       // no component other than leading ".." seen yet
    size_t read = base;
    while (text[read]) {
        size_t start = read;
        while (text[read] && text[read] != L'/')
            ++read;
        size_t length = read - start;
        bool followed = text[read] == L'/';
        if (followed)
            ++read;
        if (length == 0 || (followed && length == 1 && text[start] == L'.'))
            continue;
        if (followed && isDotDot(text + start, length)) {
            if (written > leadingEnd) {
                // Take back the last kept component with the separator before it.
                size_t cut = written;
                while (cut > leadingEnd && text[cut - 1] != L'/')
                    --cut;
                written = cut > leadingEnd ? cut - 1 : leadingEnd;
                atStart = false;
                continue;
            }
            if (!atStart)
                continue;
        } else {
            atStart = false;
        }
        if (written > base)
            text[written++] = L'/';
        std::wmemmove(text + written, text + start, length);
        written += length;
        if (atStart)
            leadingEnd = written;
    }
    text[written] = 0;
    return written > 0;
}

unsigned long depthOf(const wchar_t* path)
{
    unsigned long depth = 0;
    bool inComponent = false;
    for (; *path; ++path) {
        bool separator = *path == L'/';
        if (!separator && !inComponent)
            ++depth;
        inComponent = !separator;
    }
    return depth;
}

const wchar_t* nameOf(const wchar_t* path)
{
    const wchar_t* slash = std::wcsrchr(path, L'/');
    return slash ? slash + 1 : path;
}

} // namespace PathSyntax
