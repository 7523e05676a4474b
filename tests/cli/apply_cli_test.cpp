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

// Sets the state column of every printed row, as a script edits the rows between scan and apply.
std::string WithState(const std::string& rows, const std::string& state) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t end = rows.find('\n'); end != std::string::npos;
         start = end + 1, end = rows.find('\n', start)) {
        std::vector<std::string> columns;
        std::string line = rows.substr(start, end - start);
        for (std::size_t tab; (tab = line.find('\t')) != std::string::npos; line.erase(0, tab + 1))
            columns.push_back(line.substr(0, tab));
        columns.push_back(line);
        columns[3] = state;
        std::string joined;
        for (const std::string& column : columns) joined += (joined.empty() ? "" : "\t") + column;
        out += joined + "\n";
    }
    return out;
}

TEST(ApplyCli, ScanThenApplyWorksForUtf8AndGbkFilesInBothEncodings) {
    const std::string ni = "\xE4\xBD\xA0", hao = "\xE5\xA5\xBD";
    const std::string utf8Source = "t = \"" + ni + hao + "\";\nu = \"" + ni + "\\\\\";\n";
    const std::string gbkSource = "x = \"\xD6\xD0\";\r\n";  // 中
    for (const char* encoding : {"utf-8", "gbk"}) {
        SCOPED_TRACE(encoding);
        TempDir dir;
        const std::string u = dir.File("u.cpp"), g = dir.File("g.cpp");
        WriteBytes(u, utf8Source);
        WriteBytes(g, gbkSource);
        const std::vector<std::string> common = {"--settings", dir.File("k.ini"), "--encoding",
                                                 encoding};
        auto run = [&](std::vector<std::string> arguments, const std::string& input = "") {
            arguments.insert(arguments.begin(), common.begin(), common.end());
            return RunProgram(KORVEXER_CLI, arguments, input);
        };
        CommandResult scan = run({"scan", "constants", "--language", "0", "--now", "0", u, g});
        ASSERT_EQ(scan.exitCode, 0) << scan.err;
        // A UTF-8 file's values show as they are; a GBK file's in the chosen encoding.
        EXPECT_NE(scan.out.find("\t" + ni + hao + "\t"), std::string::npos) << scan.out;
        const bool utf8 = std::string(encoding) == "utf-8";
        EXPECT_NE(scan.out.find(utf8 ? "\t\xE4\xB8\xAD\t" : "\t\xD6\xD0\t"), std::string::npos)
            << scan.out;
        const std::string replace = utf8 ? kReplace : "\xCC\xE6\xBB\xBB";
        CommandResult applied =
            run({"apply", "constants", "--language", "0"}, WithState(scan.out, replace));
        ASSERT_EQ(applied.exitCode, 0) << applied.err;
        EXPECT_NE(ReadBytes(u).find("//\"" + ni + hao + "\""), std::string::npos) << ReadBytes(u);
        EXPECT_NE(ReadBytes(g).find("//\"\xD6\xD0\""), std::string::npos);
        CommandResult back =
            run({"apply", "constants", "--language", "0"}, WithState(scan.out, ""));
        ASSERT_EQ(back.exitCode, 0) << back.err;
        EXPECT_EQ(ReadBytes(u), utf8Source);
        EXPECT_EQ(ReadBytes(g), gbkSource);
    }
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
