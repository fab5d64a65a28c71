#include "platform/base/HostText.h"

#include <gtest/gtest.h>

TEST(HostText, EveryHostNameSurvivesTheRoundTrip)
{
    // Valid UTF-8 of each length, then bytes that are no UTF-8 at all (a stray
    // continuation byte, a cut sequence, an overlong slash, a Latin-1 name).
    const std::string names[] = {"plain", "\xC3\x84rger", "\xE6\x97\xA5", "\xF0\x9F\x90\x8D", "\x80",
                                 "cut\xE6\x97", "\xC0\xAF", "caf\xE9"};
    for (const std::string& name : names) {
        std::wstring wide = HostText::fromUtf8(name);
        std::string back;
        ASSERT_TRUE(HostText::toUtf8(wide.c_str(), back)) << name;
        EXPECT_EQ(name, back);
    }
    EXPECT_EQ(L"\u00C4", HostText::fromUtf8("\xC3\x84"));
    // The overlong slash must not turn into a separator.
    EXPECT_EQ(std::wstring::npos, HostText::fromUtf8("\xC0\xAF").find(L'/'));
}

TEST(HostText, DevicePathsTakeTheHostSeparator)
{
    std::string path;
    ASSERT_TRUE(HostText::toHostPath(L"\\Storage Card\\a.png", path));
    EXPECT_EQ("/Storage Card/a.png", path);
    wchar_t tooLarge[] = {static_cast<wchar_t>(0x110000), 0};
    EXPECT_FALSE(HostText::toUtf8(tooLarge, path));
}
