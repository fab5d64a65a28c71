#include "platform/windows/ProgramEntry.h"
#include "platform/windows/CommandLine.h"

#include "platform/base/Host.h"
#include "platform/base/HostText.h"
#include "platform/system/Modules.h"
#include "platform/windows/Windows.h"

#include <cstring>
#include <vector>

namespace ProgramEntry {

std::wstring commandLine(int argc, char** argv)
{
    std::wstring line;
    for (int i = 1; i < argc && argv[i]; ++i) {
        std::wstring argument = HostText::fromUtf8(argv[i], std::strlen(argv[i]));
        if (!line.empty())
            line += L' ';
        if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
            line += argument;
            continue;
        }
        line += L'"';
        for (wchar_t c : argument) {
            if (c == L'"')
                line += L'\\';
            line += c;
        }
        line += L'"';
    }
    return line;
}

int run(int argc, char** argv, WinMainFunction winMain)
{
    // The host and the input script are settled before the game sees anything.
    Hosts::current();
    std::wstring line = commandLine(argc, argv);
    std::vector<wchar_t> writable(line.begin(), line.end());
    writable.push_back(0);
    int result = winMain(GetModuleHandleW(nullptr), nullptr, writable.data(), SW_SHOW);
    Hosts::shutDown();
    return result;
}

} // namespace ProgramEntry
