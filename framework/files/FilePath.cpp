#include "files/FilePath.h"

#include "core/Device.h"
#include "files/PathSyntax.h"
#include "platform/base/PlatformTypes.h"

#include <cwchar>
#include <new>

FilePath::FilePath(wchar_t* path, wchar_t* scheme) : path(path), scheme(scheme), name(nullptr) {}

FilePath::~FilePath()
{
    delete[] path;
    delete[] scheme;
}

namespace {
// The text as an absolute path: a relative one goes behind the application folder.
// Only a leading '/' makes a path absolute: the device has no drive letters, so "c:x"
// is a relative name like any other.
wchar_t* absoluteText(const wchar_t* text)
{
    wchar_t* copy = PathSyntax::copyText(text);
    if (!copy)
        return nullptr;
    PathSyntax::toForwardSlashes(copy);
    if (copy[0] == L'/')
        return copy;
    wchar_t folder[MAX_PATH] = {};
    Device* device = Device::getInstance();
    if (device)
        device->getAbsolutePath(L".", folder, MAX_PATH);
    PathSyntax::toForwardSlashes(folder);
    wchar_t* joined = PathSyntax::joinTexts(folder, L"/", copy);
    delete[] copy;
    return joined;
}
} // namespace

FilePath* FilePath::create(const wchar_t* scheme, const wchar_t* text)
{
    if (!scheme || !text)
        return nullptr;
    return adopt(scheme, absoluteText(text));
}

FilePath* FilePath::adopt(const wchar_t* scheme, wchar_t* path)
{
    wchar_t* schemeCopy = PathSyntax::copyText(scheme);
    FilePath* made = nullptr;
    if (path && schemeCopy && PathSyntax::normalise(path))
        made = new (std::nothrow) FilePath(path, schemeCopy);
    if (!made) {
        delete[] path;
        delete[] schemeCopy;
    }
    return made;
}

const wchar_t* FilePath::getName()
{
    if (!name)
        name = PathSyntax::nameOf(path);
    return name;
}

FilePath* FilePath::getParent() const
{
    const wchar_t* slash = std::wcsrchr(path, L'/');
    if (!slash || slash == path)
        return getRoot();
    wchar_t* parent = PathSyntax::copyText(path);
    if (parent)
        parent[slash - path] = 0;
    return adopt(scheme, parent);
}

FilePath* FilePath::getRoot() const { return adopt(scheme, PathSyntax::copyText(L"/")); }

unsigned long FilePath::getDepth() const { return PathSyntax::depthOf(path); }
