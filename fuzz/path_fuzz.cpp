// Path texts of every shape through the scheme split, normalisation, FilePath, NameTable
// and the manager's resolution of local paths, checking what normalised paths promise.
#include "files/File.h"
#include "files/FilePath.h"
#include "files/FileSystemManager.h"
#include "files/NameTable.h"
#include "files/PathSyntax.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>

namespace {

[[noreturn]] void fail(const char* what, const std::wstring& text)
{
    std::fprintf(stderr, "path_fuzz: %s: %ls\n", what, text.c_str());
    std::abort();
}

void checkNormalised(const std::wstring& original, const std::wstring& path)
{
    if (path.find(L"//") != std::wstring::npos)
        fail("a doubled separator survived", original);
    if (path.size() > 1 && path.back() == L'/')
        fail("a final separator survived", original);
    if (path.find(L"/./") != std::wstring::npos || path.compare(0, 2, L"./") == 0)
        fail("a dot component survived", original);
    std::wstring again = path;
    if (!PathSyntax::normalise(&again[0]) || std::wstring(again.c_str()) != path)
        fail("normalising twice changed the path", original);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Each byte one character, up to the first zero: what a path text can hold.
    std::wstring text;
    for (size_t i = 0; i < size && data[i]; ++i)
        text += static_cast<wchar_t>(data[i]);

    PathSyntax::SchemeSplit split(text.c_str());
    std::wstring scheme = split.scheme;
    std::wstring rest = split.rest;
    if (!scheme.empty() || (!text.empty() && text[0] == L':')) {
        if (scheme + L":" + rest != text)
            fail("the split lost characters", text);
    } else if (rest != text) {
        fail("a text without scheme changed", text);
    }

    std::wstring normal = rest;
    PathSyntax::toForwardSlashes(&normal[0]);
    bool absolute = !normal.empty() && normal[0] == L'/';
    if (PathSyntax::normalise(&normal[0])) {
        normal = normal.c_str();
        if (absolute != (normal[0] == L'/'))
            fail("normalisation changed whether the path is absolute", text);
        if (normal.size() > rest.size())
            fail("normalisation made the path longer", text);
        checkNormalised(text, normal);
    }

    std::unique_ptr<FilePath> path(FilePath::create(L"file", text.c_str()));
    if (path) {
        std::wstring full = path->getPath();
        if (full.empty() || full[0] != L'/')
            fail("a file path is not absolute", text);
        checkNormalised(text, full);
        std::unique_ptr<FilePath> parent(path->getParent());
        unsigned long depth = path->getDepth();
        if (parent && parent->getDepth() != (depth ? depth - 1 : 0))
            fail("the parent is not one level up", text);
        std::wstring name = path->getName();
        if (name.find(L'/') != std::wstring::npos)
            fail("a name holds a separator", text);
    }

    NameTable table;
    int marker = 0;
    table.put(text.c_str(), &marker);
    table.put(normal.c_str(), &table);
    if (table.get(normal.c_str()) != &table || (text != normal && table.get(text.c_str()) != &marker))
        fail("the table lost a key", text);

    // Local resolution only looks at attributes; archives are the other target's work.
    if (scheme != L"zip") {
        static FileSystemManager manager;
        File file;
        if (manager.resolveFile(&file, text.c_str()) == 0) {
            if (!file.getPath() || !file.getName())
                fail("a resolved file has no path", text);
            File parent;
            file.getParent(&parent);
            file.isRoot();
        }
    }
    return 0;
}
