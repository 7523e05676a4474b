// SPDX-License-Identifier: MIT
// Tests of korvexer-cli apply: rows from a file or standard input, exit statuses, messages.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::CommandResult;
using test_support::ReadBytes;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

// "替换", "字符串" and "数值" in UTF-8.
const std::string kReplace = "\xE6\x9B\xBF\xE6\x8D\xA2";
const std::string kString = "\xE5\xAD\x97\xE7\xAC\xA6\xE4\xB8\xB2";
const std::string kNumber = "\xE6\x95\xB0\xE5\x80\xBC";

std::string Row(const std::vector<std::string>& columns) {
    std::string line;
    for (const std::string& column : columns)
        line += (line.empty() ? "" : "\t") + test_support::AsColumn(column);
    return line + "\n";
}

TEST(ApplyCli, AppliesRowsFromAFileAndTakesThemBackFromStandardInput) {
    TempDir dir;
    const std::string source = dir.File("a.cpp"), settings = dir.File("k.ini");
    WriteBytes(source, "x = \"abc\";\r\nMessageBox(h, s);\r\n");
    WriteBytes(dir.File("rows"), Row({"1025", kString, "abc", kReplace, source, "1:4"}));
    CommandResult applied = RunProgram(KORVEXER_CLI, {"--settings", settings, "apply", "constants",
                                                      "--language", "0", dir.File("rows")});
    ASSERT_EQ(applied.exitCode, 0) << applied.err;
    EXPECT_EQ(ReadBytes(source), "x = GetValueStr(1025);//\"abc\"\r\nMessageBox(h, s);\r\n");
    EXPECT_EQ(ReadBytes(source + "~"), "x = \"abc\";\r\nMessageBox(h, s);\r\n");

    CommandResult call =
        RunProgram(KORVEXER_CLI, {"--settings", settings, "apply", "functions", "--language", "0"},
                   Row({"1", "MessageBox", "MessageBox_kx", kReplace, source, "2:0"}));
    ASSERT_EQ(call.exitCode, 0) << call.err;
    CommandResult back =
        RunProgram(KORVEXER_CLI, {"--settings", settings, "apply", "constants", "--language", "0"},
                   Row({"1025", kString, "abc", "", source, "1:4"}));
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(ReadBytes(source), "x = \"abc\";\r\nMessageBox_kx(h, s);//MessageBox\r\n");
}

TEST(ApplyCli, NamesFilesThatCouldNotBeWrittenAndExitsOne) {
    TempDir dir;
    const std::string locked = dir.File("locked.cpp"), open = dir.File("open.cpp");
    WriteBytes(locked, "n = 40;\r\n");
    WriteBytes(open, "n = 40;\r\n");
    ::chmod(locked.c_str(), 0444);
    CommandResult result = RunProgram(
        KORVEXER_CLI, {"--settings", dir.File("k.ini"), "apply", "constants", "--language", "0"},
        Row({"1", kNumber, "40", kReplace, locked, "1:4"}) +
            Row({"2", kNumber, "40", kReplace, open, "1:4"}) +
            Row({"3", kNumber, "40", kReplace, dir.File("missing.cpp"), "1:4"}));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(locked + " could not be written"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("warning: " + dir.File("missing.cpp")), std::string::npos)
        << result.err;
    EXPECT_EQ(ReadBytes(locked), "n = 40;\r\n");
    EXPECT_EQ(ReadBytes(open), "n = GetValueInt(2);//40\r\n");
}

TEST(ApplyCli, RefusesBadOptionsAndLanguagesWithoutACommentPrefix) {
    TempDir dir;
    const std::string source = dir.File("a.cpp"), settings = dir.File("k.ini");
    WriteBytes(source, "n = 40;\r\n");
    WriteBytes(settings, "[language_0]\r\nonelineexplain=\r\n");
    const std::string rows = Row({"1", kNumber, "40", kReplace, source, "1:4"});
    const std::vector<std::vector<std::string>> refusals = {
        {"--settings", settings, "apply", "constants", "--language", "0"},
        {"apply", "constants", "--language", "x"},
        {"apply", "constants"},
        {"apply", "other", "--language", "0"},
        {"apply", "constants", "--language", "0", dir.File("no-rows-here")},
    };
    for (const std::vector<std::string>& arguments : refusals) {
        CommandResult result = RunProgram(KORVEXER_CLI, arguments, rows);
        EXPECT_EQ(result.exitCode, 2) << arguments.back() << result.err;
        EXPECT_FALSE(result.err.empty());
        EXPECT_EQ(ReadBytes(source), "n = 40;\r\n");
    }
}

}  // namespace
}  // namespace korvexer
