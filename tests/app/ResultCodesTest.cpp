#include "core/ResultCodes.h"

#include <gtest/gtest.h>

#include <string>

TEST(ResultCodes, TextsSitAtTheirPositions)
{
    EXPECT_EQ(std::wstring(L"OK"), getErrorText(0));
    EXPECT_EQ(std::wstring(L"INVALID COORDINATES"), getErrorText(2));
    EXPECT_EQ(std::wstring(L"INVALID FONT"), getErrorText(13));
    EXPECT_EQ(std::wstring(L"AUDIO INITIALIZATION FAILED"), getErrorText(14));
    EXPECT_EQ(std::wstring(L"NULL PARAMETER"), getErrorText(16));
    EXPECT_EQ(std::wstring(L"CREATING A FOLDER IS NOT ALLOWED"), getErrorText(35));
    EXPECT_EQ(std::wstring(L"CREATING A FILESYSTEM IS NOT ALLOWED"), getErrorText(36));
    EXPECT_EQ(std::wstring(L"ERROR MOVING PANEL BECAUSE IT HAS CHILDS"), getErrorText(50));
}

TEST(ResultCodes, OutsideTheListIsUnknownError)
{
    EXPECT_EQ(std::wstring(L"UNKNOWN ERROR"), getErrorText(51));
    EXPECT_EQ(std::wstring(L"UNKNOWN ERROR"), getErrorText(52));
    EXPECT_EQ(std::wstring(L"UNKNOWN ERROR"), getErrorText(-1));
    EXPECT_EQ(std::wstring(L"UNKNOWN ERROR"), getErrorText(ResultCode::GenericFailure));
}

TEST(ResultCodes, CodesFourteenToThirtyFourReadOnePositionOn)
{
    EXPECT_EQ(std::wstring(L"NULL PARAMETER"), getErrorText(getErrorPosition(ResultCode::NullParameter)));
    EXPECT_EQ(std::wstring(L"THE FILE HAS NOT BEEN INITIALIZED"),
              getErrorText(getErrorPosition(ResultCode::FileNotInitialized)));
    EXPECT_EQ(std::wstring(L"CREATING A FOLDER IS NOT ALLOWED"),
              getErrorText(getErrorPosition(ResultCode::FolderCreationNotAllowed)));
    EXPECT_EQ(std::wstring(L"INVALID FONT"), getErrorText(getErrorPosition(ResultCode::InvalidFont)));
    EXPECT_EQ(std::wstring(L"CREATING A FILESYSTEM IS NOT ALLOWED"),
              getErrorText(getErrorPosition(ResultCode::FileSystemCreationNotAllowed)));
    // 35 has no text, and no code maps to position 14.
    EXPECT_EQ(-1, getErrorPosition(ResultCode::FileCreationNotAllowed));
    for (long code = 0; code <= 51; ++code)
        EXPECT_NE(14, getErrorPosition(code)) << code;
}

TEST(ResultCodes, GenericFailureIsTheNegativeDeviceValue)
{
    EXPECT_LT(ResultCode::GenericFailure, 0);
    EXPECT_EQ(static_cast<int32_t>(0x80004005u), static_cast<int32_t>(ResultCode::GenericFailure));
}

TEST(ResultCodes, TheCodeFormGivesTheTextThatDescribesTheCode)
{
    EXPECT_EQ(std::wstring(L"NULL PARAMETER"), getErrorTextForCode(ResultCode::NullParameter));
    EXPECT_EQ(std::wstring(L"INVALID FONT"), getErrorTextForCode(ResultCode::InvalidFont));
    EXPECT_EQ(std::wstring(L"UNKNOWN ERROR"), getErrorTextForCode(ResultCode::FileCreationNotAllowed));
    EXPECT_EQ(std::wstring(L"UNKNOWN ERROR"), getErrorTextForCode(ResultCode::GenericFailure));
}
