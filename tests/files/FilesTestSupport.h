#ifndef PARVOLIN_FILES_TEST_SUPPORT_H
#define PARVOLIN_FILES_TEST_SUPPORT_H

#include "core/Device.h"
#include "files/File.h"

#include <set>
#include <string>

// The application folder as the file systems write it: '/' separators, no final one.
inline std::wstring appFolder()
{
    wchar_t buffer[260] = {};
    Device::getInstance()->getFullAppPath(buffer, 260);
    std::wstring folder(buffer);
    for (wchar_t& c : folder)
        if (c == L'\\')
            c = L'/';
    if (!folder.empty() && folder.back() == L'/')
        folder.pop_back();
    return folder;
}

inline std::wstring textOf(const wchar_t* text) { return text ? std::wstring(text) : std::wstring(L"(null)"); }

// Everything a file holds, read through File::read in small steps.
inline std::string contentOf(File& file, unsigned long step = 7)
{
    std::string bytes;
    char block[64];
    long got;
    while ((got = file.read(block, step)) > 0)
        bytes.append(block, static_cast<size_t>(got));
    return bytes;
}

// What an opened folder lists, by name or by path, checked to end with code 22.
std::set<std::wstring> listing(File& folder, bool byPath = false);

#endif
