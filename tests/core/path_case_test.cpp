// SPDX-License-Identifier: MIT
// Tests of the platform's file-name rules: letter case of paths, and on Windows the separators,
// case-insensitive duplicates and lower-cased storage of scanned paths.
#include "core/platform/path_case.h"

#include <gtest/gtest.h>

#include "core/language/language_defaults.h"
#include "core/platform/clock.h"
#include "core/platform/file_system.h"
#include "core/platform/gbk_text.h"
#include "core/scanner/source_scanner.h"
#include "core/scanner/statement_extractor.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::TempDir;
using test_support::WriteBytes;

// "\x81\x5A" and "\x81\x5C" are two-byte characters whose second bytes are 'Z' and '\\'.
TEST(PathCaseKey, FollowsThePlatformsCaseRule) {
    struct Case {
        std::string path;
        std::string folded;  // the key where names ignore case
    };
    const std::vector<Case> cases = {
        {"C:\\Src\\Main.CPP", "c:\\src\\main.cpp"},
        {"/Home/U/B.cpp", "\\home\\u\\b.cpp"},
        {"C:\\Tmp/Orders/Main.cpp", "c:\\tmp\\orders\\main.cpp"},  // one file, either separator
        {"D:\\\x81\x5A\\X.cpp", "d:\\\x81\x5A\\x.cpp"},  // the 'Z' inside a character stays
        {"\x81\x5C"
         "AB",
         "\x81\x5C"
         "ab"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PathCaseKey(c.path), PathsIgnoreCase() ? c.folded : c.path) << c.path;
#ifdef _WIN32
    EXPECT_TRUE(PathsIgnoreCase());
#else
    EXPECT_FALSE(PathsIgnoreCase());
#endif
}

#ifdef _WIN32

TEST(DirectoryOf, TakesEverySeparatorOfWindows) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\src\\main.cpp", "C:\\src\\"},
        {"C:/src/main.cpp", "C:/src/"},
        {"C:main.cpp", "C:"},
        {"C:\\a/b\\c", "C:\\a/b\\"},
        {"main.cpp", ""},
        {"C:\\\x81\x5C.cpp", "C:\\"},  // the second byte of a character is no separator
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(DirectoryOf(path), folder) << path;
}

TEST(WindowsFileSystem, OpensFilesWhateverTheCaseOfTheirName) {
    TempDir dir;
    WriteBytes(dir.File("Main.CPP"), "x = 1;");
    FileSystem& fs = FileSystem::Real();
    EXPECT_TRUE(fs.Exists(dir.File("main.cpp")));
    Expected<FileContent> content = fs.Read(PathCaseKey(dir.File("Main.CPP")));
    ASSERT_TRUE(content);
    EXPECT_EQ(content->bytes, "x = 1;");
    // Replacing through the lower-cased name writes the one file there is.
    ASSERT_TRUE(ReplaceFile(fs, PathCaseKey(dir.File("Main.CPP")), "x = 2;"));
    EXPECT_EQ(test_support::ReadBytes(dir.File("Main.CPP")), "x = 2;");
}

TEST(WindowsFileSystem, GbkNamesWithABackslashSecondByteAreOneName) {
    TempDir dir;
    // 81 5C is one character: converting the whole path keeps its '\\' byte inside it.
    const std::string name = dir.File("\x81\x5C.cpp");
    FileSystem& fs = FileSystem::Real();
    ASSERT_TRUE(ReplaceFile(fs, name, "y = 3;"));
    Expected<FileContent> content = fs.Read(name);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->bytes, "y = 3;");
    EXPECT_FALSE(fs.Exists(dir.File("\x81")));
    // Bytes that are no GBK text name no file.
    EXPECT_FALSE(fs.Read(dir.File("\x81")));
}

TEST(ScanSourceFiles, SkipsTheMainFileWhateverItsCaseAndStoresLowerCasedPaths) {
    TempDir dir;
    WriteBytes(dir.File("Main.cpp"), "a = 1;\r\n");
    WriteBytes(dir.File("Other.CPP"), "b = 2;\r\n");
    const LanguageDefinition cpp = LoaderDefaults(0);
    FixedClock clock(0);
    SourceScanner scanner(FileSystem::Real(), cpp, clock);
    RowList rows;
    std::uint32_t counter = 1024;
    // The list names the main file in other letters: it is the same file and is not scanned
    // twice; the other file's rows carry its path in lower case.
    const std::vector<std::string> files = {dir.File("MAIN.cpp"), dir.File("Other.CPP")};
    std::vector<Error> failures =
        scanner.ScanSourceFiles(rows, &files, dir.File("main.CPP"), counter, ScanMode::Constants);
    EXPECT_TRUE(failures.empty());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.Text(0, kStepValue), "2");
    EXPECT_EQ(rows.Text(0, kStepFile), gbk::ToLower(dir.File("Other.CPP")));
}

#endif  // _WIN32

}  // namespace
}  // namespace korvexer
