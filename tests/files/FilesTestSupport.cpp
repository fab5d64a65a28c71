#include "FilesTestSupport.h"

#include "core/ResultCodes.h"

#include <gtest/gtest.h>

std::set<std::wstring> listing(File& folder, bool byPath)
{
    std::set<std::wstring> found;
    EXPECT_EQ(0, folder.open());
    File child;
    long result;
    while ((result = folder.getNextChild(&child)) == 0)
        found.insert(byPath ? child.getPath() : child.getName());
    EXPECT_EQ(ResultCode::NoMoreChildren, result);
    folder.close();
    return found;
}
