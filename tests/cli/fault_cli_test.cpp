// SPDX-License-Identifier: MIT
// Tests of korvexer-cli when the file system fails it: the file is named on standard error with
// the documented exit status, and no file is left half written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/path_case.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::CommandResult;
using test_support::ReadBytes;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

// "替换" in UTF-8.
const std::string kReplace = "\xE6\x9B\xBF\xE6\x8D\xA2";
const std::string kSource = "int main() {\r\n    n = 40;\r\n}\r\n";

// The rows `scan constants` lists for `files`, with their state set to replace.
std::string ScanForReplacement(const TempDir& dir, const std::vector<std::string>& files) {
    std::vector<std::string> arguments = {"--settings", dir.File("none.ini"), "scan",
                                          "constants",  "--language",         "0",
                                          "--now",      "1700000000"};
    arguments.insert(arguments.end(), files.begin(), files.end());
    CommandResult scan = RunProgram(KORVEXER_CLI, arguments);
    EXPECT_EQ(scan.exitCode, 0) << scan.err;
    std::string rows;
    std::size_t start = 0;
    while (start < scan.out.size()) {
        std::size_t end = scan.out.find('\n', start);
        std::string line = scan.out.substr(start, end - start);
        // Columns: key, type, value, state, file, position; the state is the fourth.
        std::size_t third = 0;
        for (int tab = 0; tab < 3; ++tab) third = line.find('\t', third) + 1;
        std::size_t fourth = line.find('\t', third);
        rows += line.substr(0, third) + kReplace + line.substr(fourth) + "\n";
        start = end + 1;
    }
    return rows;
}

CommandResult Apply(const TempDir& dir, const std::string& rows) {
    return RunProgram(KORVEXER_CLI,
                      {"--settings", dir.File("none.ini"), "apply", "constants", "--language", "0"},
                      rows);
}

TEST(FaultCli, ApplyNamesAFileWhoseBackupCannotBeWrittenAndWritesTheOthers) {
    TempDir dir;
    const std::string blocked = dir.File("blocked.cpp"), open = dir.File("open.cpp");
    WriteBytes(blocked, kSource);
    WriteBytes(open, kSource);
    // A folder where the backup copy belongs: the backup cannot be written, so neither is the file.
    ASSERT_NO_THROW(test_support::MakeDirectory(blocked + "~"));
    const std::string rows = ScanForReplacement(dir, {blocked, open});
    CommandResult result = Apply(dir, rows);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(PathCaseKey(blocked) + " could not be written"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("backup"), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(blocked), kSource);
    EXPECT_NE(ReadBytes(open), kSource);
    EXPECT_EQ(ReadBytes(open + "~"), kSource);
}

TEST(FaultCli, ApplyAfterTheFilesChangedSinceTheScan) {
    TempDir dir;
    const std::string edited = dir.File("edited.cpp"), removed = dir.File("removed.cpp"),
                      locked = dir.File("locked.cpp");
    for (const std::string& file : {edited, removed, locked}) WriteBytes(file, kSource);
    const std::string rows = ScanForReplacement(dir, {edited, removed, locked});
    WriteBytes(edited, "int main() {\r\n}\r\n");
    ::unlink(removed.c_str());
    ::chmod(locked.c_str(), 0444);

    CommandResult result = Apply(dir, rows);
    // The read-only file is the one that failed; the removed one is a warning.
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.err.find(PathCaseKey(locked) + " could not be written"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("warning: " + PathCaseKey(removed)), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(PathCaseKey(edited)), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(edited), "int main() {\r\n}\r\n");
    EXPECT_EQ(ReadBytes(locked), kSource);
    EXPECT_NE(::access(removed.c_str(), F_OK), 0);
    for (const std::string& file : {edited, removed, locked})
        EXPECT_NE(::access((file + "~").c_str(), F_OK), 0) << file;
}

TEST(FaultCli, RecordWriteNamesAnUnwritableLocationAndExitsOne) {
    TempDir dir;
    WriteBytes(dir.File("plain-file"), "x");
    ASSERT_NO_THROW(test_support::MakeDirectory(dir.File("folder.con")));
    for (const std::string& path : {dir.File("folder.con"), dir.File("plain-file/demo.con")}) {
        CommandResult result = RunProgram(KORVEXER_CLI, {"record", "write", path}, "S\t/a.cpp\n");
        EXPECT_EQ(result.exitCode, 1) << path;
        EXPECT_NE(result.err.find(path), std::string::npos) << result.err;
    }
    EXPECT_EQ(ReadBytes(dir.File("plain-file")), "x");
    struct stat status;
    ASSERT_EQ(::stat(dir.File("folder.con").c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
}

}  // namespace
}  // namespace korvexer
