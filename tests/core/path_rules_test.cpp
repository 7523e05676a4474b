// SPDX-License-Identifier: MIT
// Tests of the sibling path, the sibling copy and the folder of a path.
#include "core/app/path_rules.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

const std::string kBackslashChar = "\x81\x5C";  // second byte '\'

TEST(MakeSiblingPath, ThreeWaySeparatorRules) {
    struct Case {
        std::string file;
        std::string reference;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"x.con", "/s/main.cpp", ""},  // the file has no separator
        {"/a/x.con", "main.cpp", ""},  // the reference has none
        {"", "", ""},
        {"C:\\app\\x.con", "D:\\src\\main.cpp", "D:\\src\\x.con"},
        {"/a/b/x.con", "/s/main.cpp", "/s/x.con"},
        {"C:x.con", "D:main.cpp", "D:x.con"},
        // '\\' is tried before '/', '/' before ':', whatever their positions.
        {"a/b\\x.con", "s\\t/main.cpp", "s\\x.con"},
        {"C:\\a/x.con", "D:/s:t", "D:/a/x.con"},
        {"/a/x" + kBackslashChar + "y.con", "/s/m.cpp", "/s/x" + kBackslashChar + "y.con"},
        {"/a/x.con", "/s" + kBackslashChar + "/m.cpp", "/s" + kBackslashChar + "/x.con"},
        {"C:\\a\\", "/s/m.cpp", "/s/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MakeSiblingPath(c.file, c.reference), c.expected)
            << c.file << " beside " << c.reference;
    }
}

TEST(GetPathDirectory, UpToTheLastSeparatorAfterTheFirstByte) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"main.cpp", ""},
        {"/main.cpp", ""},  // a separator in the first byte alone does not count
        {"a" + kBackslashChar, ""},
        {"C:\\src\\main.cpp", "C:\\src\\"},
        {"/home/u/m.cpp", "/home/u/"},
        {"C:main.cpp", "C:"},
        {"a/b\\c", "a/b\\"},
        {"a\\b/c", "a\\b/"},
        {"d\\" + kBackslashChar + "x", "d\\"},
        {"/dir/", "/dir/"},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(GetPathDirectory(path), expected) << path;
}

TEST(CopyToSiblingPath, CopiesBesideTheReference) {
    TempDir dir;
    ASSERT_NO_THROW(test_support::MakeDirectory(dir.File("app")));
    ASSERT_NO_THROW(test_support::MakeDirectory(dir.File("src")));
    WriteBytes(dir.File("app/x.con"), "record");
    WriteBytes(dir.File("src/x.con"), "old");
    FileSystem& fs = FileSystem::Real();

    EXPECT_TRUE(CopyToSiblingPath(fs, dir.File("app/x.con"), dir.File("src/main.cpp") + " \t"));
    EXPECT_EQ(ReadBytes(dir.File("src/x.con")), "record");

    // Nothing to do: no separator, empty names, the file itself.
    EXPECT_TRUE(CopyToSiblingPath(fs, dir.File("app/x.con"), "main.cpp"));
    EXPECT_TRUE(CopyToSiblingPath(fs, "", dir.File("src/main.cpp")));
    EXPECT_TRUE(CopyToSiblingPath(fs, dir.File("app/x.con"), "   "));
    EXPECT_TRUE(CopyToSiblingPath(fs, dir.File("app/x.con"), dir.File("app/main.cpp")));
    EXPECT_EQ(ReadBytes(dir.File("app/x.con")), "record");

    // A failed copy is reported; the target stays as it was.
    Status missing = CopyToSiblingPath(fs, dir.File("app/none.con"), dir.File("src/main.cpp"));
    EXPECT_FALSE(missing);
    EXPECT_FALSE(fs.Exists(dir.File("src/none.con")));
    EXPECT_FALSE(CopyToSiblingPath(fs, dir.File("app/x.con"), dir.File("nofolder/main.cpp")));
}

}  // namespace
}  // namespace korvexer
