#include "files/FilePath.h"
#include "files/NameTable.h"
#include "files/PathSyntax.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::wstring normalised(const std::wstring& text)
{
    std::vector<wchar_t> buffer(text.begin(), text.end());
    buffer.push_back(0);
    PathSyntax::toForwardSlashes(buffer.data());
    if (!PathSyntax::normalise(buffer.data()))
        return L"(refused)";
    return buffer.data();
}

std::pair<std::wstring, std::wstring> split(const std::wstring& text)
{
    PathSyntax::SchemeSplit parts(text.c_str());
    return {parts.scheme, parts.rest};
}

TEST(PathSyntax, SchemeEndsAtTheFirstColonOfAValidName)
{
    using Parts = std::pair<std::wstring, std::wstring>;
    EXPECT_EQ(Parts(L"zip", L"data/a.zip"), split(L"zip:data/a.zip"));
    EXPECT_EQ(Parts(L"file", L"/x:y"), split(L"file:/x:y"));
    EXPECT_EQ(Parts(L"a+b-c.d9", L"x"), split(L"a+b-c.d9:x"));
    EXPECT_EQ(Parts(L"", L"x"), split(L":x"));
    EXPECT_EQ(Parts(L"file", L""), split(L"file:"));
    // A scheme starts with a letter and holds no other characters.
    EXPECT_EQ(Parts(L"", L"1abc:x"), split(L"1abc:x"));
    EXPECT_EQ(Parts(L"", L"a_b:x"), split(L"a_b:x"));
    EXPECT_EQ(Parts(L"", L"/a:b"), split(L"/a:b"));
    EXPECT_EQ(Parts(L"", L"images/a.png"), split(L"images/a.png"));
    EXPECT_EQ(Parts(L"", L""), split(L""));
}

TEST(PathSyntax, NormalisationFollowsEveryRule)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* expected;
    } cases[] = {
        {L"\\Storage Card\\x.png", L"/Storage Card/x.png"},
        {L"/a//b/./c/", L"/a/b/c"},
        {L"/a/b/../c", L"/a/c"},
        {L"/a/../../x", L"/x"},
        {L"../x", L"../x"},
        {L"/a/b/..", L"/a/b/.."},
        {L"/a/b/.", L"/a/b/."},
        {L"/", L"/"},
        {L"//", L"/"},
        {L"/./", L"/"},
        {L"a/b/", L"a/b"},
        {L"./a", L"a"},
        // Leading ".." stay, also right after the root, and those that follow them.
        {L"../../x", L"../../x"},
        {L"/../x", L"/../x"},
        {L"../a/../x", L"../x"},
        {L"../a/../../x", L"../x"},
        {L"a/../../x", L"x"},
        {L"/a/b/c/../../d", L"/a/d"},
        // Names that only look like dots are names.
        {L"/a/.../b", L"/a/.../b"},
        {L"/a/..b/c", L"/a/..b/c"},
        {L"/a/.b/../c", L"/a/c"},
        // Nothing left: refused.
        {L"", L"(refused)"},
        {L"./", L"(refused)"},
        {L"a/../", L"(refused)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(std::wstring(c.expected), normalised(c.text)) << c.text;
        // A normalised path stays as it is.
        if (std::wstring(c.expected) != L"(refused)") {
            EXPECT_EQ(std::wstring(c.expected), normalised(c.expected)) << c.text;
        }
    }
    EXPECT_FALSE(PathSyntax::normalise(nullptr));
}

TEST(PathSyntax, DepthCountsComponents)
{
    EXPECT_EQ(0u, PathSyntax::depthOf(L"/"));
    EXPECT_EQ(0u, PathSyntax::depthOf(L""));
    EXPECT_EQ(1u, PathSyntax::depthOf(L"/a"));
    EXPECT_EQ(2u, PathSyntax::depthOf(L"/a/b"));
    EXPECT_EQ(2u, PathSyntax::depthOf(L"a/b"));
}

TEST(FilePath, RelativeTextsLieInTheApplicationFolder)
{
    std::unique_ptr<FilePath> path(FilePath::create(L"file", L"images\\a.png"));
    ASSERT_TRUE(path);
    EXPECT_EQ(appFolder() + L"/images/a.png", path->getPath());
    EXPECT_EQ(std::wstring(L"file"), path->getScheme());
    EXPECT_EQ(std::wstring(L"a.png"), path->getName());

    // The device has no drive letters: "c:x" is a name like any other.
    std::unique_ptr<FilePath> drive(FilePath::create(L"file", L"c:x"));
    EXPECT_EQ(appFolder() + L"/c:x", drive->getPath());

    std::unique_ptr<FilePath> absolute(FilePath::create(L"zip", L"/Storage Card/../x/"));
    EXPECT_EQ(std::wstring(L"/x"), absolute->getPath());
    EXPECT_EQ(nullptr, FilePath::create(L"file", nullptr));
}

TEST(FilePath, ParentsAndRoots)
{
    std::unique_ptr<FilePath> path(FilePath::create(L"zip", L"/a/b/c"));
    std::unique_ptr<FilePath> parent(path->getParent());
    EXPECT_EQ(std::wstring(L"/a/b"), parent->getPath());
    EXPECT_EQ(std::wstring(L"zip"), parent->getScheme());
    EXPECT_EQ(3u, path->getDepth());

    std::unique_ptr<FilePath> top(FilePath::create(L"zip", L"/x"));
    std::unique_ptr<FilePath> root(top->getParent());
    EXPECT_EQ(std::wstring(L"/"), root->getPath());
    EXPECT_EQ(std::wstring(L""), root->getName());
    EXPECT_EQ(0u, root->getDepth());
    std::unique_ptr<FilePath> rootParent(root->getParent());
    EXPECT_EQ(std::wstring(L"/"), rootParent->getPath());
    std::unique_ptr<FilePath> madeRoot(path->getRoot());
    EXPECT_EQ(std::wstring(L"/"), madeRoot->getPath());

    // "<folder>/." keeps its dot, so its parent is the folder itself.
    std::unique_ptr<FilePath> dot(FilePath::create(L"file", L"/a/b/."));
    std::unique_ptr<FilePath> folder(dot->getParent());
    EXPECT_EQ(std::wstring(L"/a/b"), folder->getPath());
}

TEST(NameTable, HashWrapsAt32Bits)
{
    EXPECT_EQ(0u, NameTable::hash(L""));
    EXPECT_EQ(97u, NameTable::hash(L"a"));
    // The same rule in 64-bit arithmetic, reduced modulo 2^32 by hand at each step.
    const int64_t modulus = int64_t{1} << 32;
    int64_t h = 0;
    for (wchar_t c : std::wstring(L"data/images/apple.gif")) {
        int64_t product = static_cast<int64_t>((static_cast<uint64_t>(h) * 1664117991u) % static_cast<uint64_t>(modulus));
        h = ((static_cast<int64_t>(c) - product) % modulus + modulus) % modulus;
    }
    EXPECT_EQ(static_cast<uint32_t>(h), NameTable::hash(L"data/images/apple.gif"));
}

TEST(NameTable, KeysAreExactAndStoredOnce)
{
    NameTable table;
    int first = 1, second = 2, other = 3;
    EXPECT_TRUE(table.put(L"key", &first));
    EXPECT_TRUE(table.put(L"Key", &other));
    EXPECT_TRUE(table.put(L"key", &second));
    EXPECT_EQ(&second, table.get(L"key"));
    EXPECT_EQ(&other, table.get(L"Key"));
    EXPECT_EQ(nullptr, table.get(L"ke"));
    EXPECT_EQ(nullptr, table.get(L"key "));

    // Many keys share the 101 chains without losing one.
    std::vector<std::wstring> keys;
    for (int i = 0; i < 1000; ++i)
        keys.push_back(L"k" + std::to_wstring(i));
    for (auto& key : keys)
        EXPECT_TRUE(table.put(key.c_str(), &key));
    for (auto& key : keys)
        EXPECT_EQ(&key, table.get(key.c_str()));
}

} // namespace
