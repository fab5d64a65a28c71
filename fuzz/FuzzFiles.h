#ifndef PARVOLIN_FUZZ_FILES_H
#define PARVOLIN_FUZZ_FILES_H

// The files the fuzz targets write their inputs to: one path per target and process in
// the temporary folder, removed when the process ends.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace FuzzFiles {

inline std::vector<std::string>& created()
{
    static std::vector<std::string> paths;
    return paths;
}

inline void removeCreated()
{
    for (const std::string& path : created())
        std::remove(path.c_str());
}

// "<temporary folder>/parvolin-<name>-<random><extension>".
inline std::string temporaryPath(const std::string& name, const std::string& extension)
{
    std::random_device seed;
    const std::string path =
        (std::filesystem::temp_directory_path() / ("parvolin-" + name + "-" + std::to_string(seed()) + extension))
            .string();
    if (created().empty())
        std::atexit(removeCreated);
    created().push_back(path);
    return path;
}

inline void write(const std::string& path, const void* bytes, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
}

// The device path of a host path with a scheme ("file:", "zip:"); the paths made here are
// plain ASCII.
inline std::wstring uri(const wchar_t* scheme, const std::string& path)
{
    return scheme + std::wstring(path.begin(), path.end());
}

} // namespace FuzzFiles

#endif
