// SPDX-License-Identifier: MIT
// Tests of WriteUserGuide: where the guide goes and that a user's own readme is never replaced.
#include "core/app/user_guide_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

const std::string kGuide = "\xD3\xC3\xBB\xA7\xD6\xB8\xC4\xCF\r\nline two\r\n";  // 用户指南

TEST(WriteUserGuide, WritesReadmeBesideTheMainSourceFileEachTimeFromTheStart) {
    TempDir dir;
    const std::string main = dir.File("main.cpp");
    Expected<std::string> first = WriteUserGuide(FileSystem::Real(), main, kGuide);
    ASSERT_TRUE(first) << first.error().message;
    EXPECT_EQ(*first, dir.File("readme.txt"));
    EXPECT_EQ(ReadBytes(*first), kGuide);
    // The second press finds its own copy and writes it again in the same place.
    Expected<std::string> second = WriteUserGuide(FileSystem::Real(), main, kGuide);
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, *first);
    EXPECT_EQ(ReadBytes(*second), kGuide);
}

TEST(WriteUserGuide, AnEmptyMainSourceFileMeansTheCurrentFolder) {
    TempDir dir;
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    Expected<std::string> path = WriteUserGuide(FileSystem::Real(), "", kGuide);
    ASSERT_EQ(::chdir(previous), 0);
    ASSERT_TRUE(path);
#ifdef _WIN32
    EXPECT_EQ(*path, ".\\readme.txt");
#else
    EXPECT_EQ(*path, "./readme.txt");
#endif
    EXPECT_EQ(ReadBytes(dir.File("readme.txt")), kGuide);
}

TEST(WriteUserGuide, NeverReplacesAForeignReadme) {
    TempDir dir;
    const std::string own = "my project notes\n";
    WriteBytes(dir.File("readme.txt"), own);
    // A file that starts like the guide but goes on is still the user's.
    WriteBytes(dir.File("readme-korvexer.txt"), kGuide + "more");
    Expected<std::string> path = WriteUserGuide(FileSystem::Real(), dir.File("main.cpp"), kGuide);
    ASSERT_TRUE(path) << path.error().message;
    EXPECT_EQ(*path, dir.File("readme-korvexer-2.txt"));
    EXPECT_EQ(ReadBytes(*path), kGuide);
    EXPECT_EQ(ReadBytes(dir.File("readme.txt")), own);
    EXPECT_EQ(ReadBytes(dir.File("readme-korvexer.txt")), kGuide + "more");
    // The next press reuses the copy it made rather than spreading new ones.
    Expected<std::string> again = WriteUserGuide(FileSystem::Real(), dir.File("main.cpp"), kGuide);
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, *path);
}

TEST(WriteUserGuide, AFolderNamedReadmeIsLeftAlone) {
    TempDir dir;
    ASSERT_TRUE(FileSystem::Real().CreateDirectories(dir.File("readme.txt")));
    Expected<std::string> path = WriteUserGuide(FileSystem::Real(), dir.File("main.cpp"), kGuide);
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, dir.File("readme-korvexer.txt"));
}

TEST(WriteUserGuide, AFolderThatDoesNotExistFailsNamingTheFile) {
    TempDir dir;
    Expected<std::string> path =
        WriteUserGuide(FileSystem::Real(), dir.File("missing/main.cpp"), kGuide);
    ASSERT_FALSE(path);
    EXPECT_NE(path.error().path.find("missing"), std::string::npos) << path.error().path;
}

}  // namespace
}  // namespace korvexer
