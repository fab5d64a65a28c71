#include "support/TempFolder.h"

#include "platform/base/HostText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

TempFolder::TempFolder()
{
    std::random_device seed;
    std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        std::filesystem::path candidate = base / ("parvolin-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(candidate)) {
            hostFolder = candidate.string();
            return;
        }
    }
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(hostFolder, ignored);
}

std::wstring TempFolder::path() const { return HostText::fromUtf8(hostFolder); }

std::wstring TempFolder::path(const std::wstring& name) const { return path() + L"/" + name; }

void TempFolder::write(const std::wstring& name, const std::string& bytes) const
{
    std::string hostName;
    ASSERT_TRUE(HostText::toUtf8(path(name).c_str(), hostName));
    std::ofstream out(hostName, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good());
}
