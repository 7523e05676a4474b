// SPDX-License-Identifier: MIT
// Tests of korvexer-cli language show, run as a program on temporary settings files.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace korvexer::cli {
namespace {

using test_support::CommandResult;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

CommandResult Show(const std::vector<std::string>& options, const std::string& index) {
    std::vector<std::string> arguments = options;
    arguments.insert(arguments.end(), {"language", "show", index});
    return RunProgram(KORVEXER_CLI, arguments);
}

const std::string kEdited =
    "[language_0]\r\n"
    "hexprefix=\xB0\xA1;0x;\r\n"  // 啊;0x;
    "carryreturn=nn\r\n"
    "quotation=96\r\n"
    "linendchar=-80\r\n"
    "setvalue=:=\r\n";

std::string EditedOutput(const std::string& hexprefix) {
    return "language=0\n"
           "filesubfix=.cpp;.c;\n"
           "begindealmark=\n"
           "functionbegin=\n"
           "functionend=\n"
           "setvalue=:=\n"
           "quotation=96\n"
           "linendchar=176\n"
           "carryreturn=nn\n"
           "separator=44\n"
           "escapechar=92\n"
           "definevalue=void;char;byte;file;static;const;#define;#include;enum;typedef;constexpr;"
           "consteval;constinit;\n"
           "onelineexplain=//\n"
           "multilinenote_begin=/*\n"
           "multilinenote_end=*/\n"
           "hexprefix=" +
           hexprefix +
           "\n"
           "numbersubfix=l;L;\n"
           "libraryfiles=korvexaux.cpp;korvexlink.h;\n";
}

TEST(LanguageShow, PrintsEveryFieldInOrderInTheUsersEncoding) {
    TempDir dir;
    WriteBytes(dir.File("k.ini"), kEdited);
    const std::string settings = dir.File("k.ini");
    struct Case {
        std::vector<std::string> options;
        std::string index;
        std::string hexprefix;
    };
    const std::vector<Case> cases = {
        {{"--settings", settings}, "0", "\xE5\x95\x8A;0x;"},
        {{"--settings", settings, "--encoding", "utf-8"}, "7", "\xE5\x95\x8A;0x;"},
        {{"--encoding", "gbk", "--settings", settings}, "14", "\xB0\xA1;0x;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        CommandResult result = Show(c.options, c.index);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, EditedOutput(c.hexprefix));
        EXPECT_EQ(result.err, "");
    }
}

TEST(LanguageShow, NegativeIndexGivesTheEmptyDefinition) {
    TempDir dir;
    WriteBytes(dir.File("k.ini"), kEdited);
    CommandResult result = Show({"--settings", dir.File("k.ini")}, "-1");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "language=0\nfilesubfix=\nbegindealmark=\nfunctionbegin=\nfunctionend=\n"
              "setvalue=\nquotation=0\nlinendchar=0\ncarryreturn=\nseparator=0\nescapechar=0\n"
              "definevalue=\nonelineexplain=\nmultilinenote_begin=\nmultilinenote_end=\n"
              "hexprefix=\nnumbersubfix=\nlibraryfiles=\n");
}

TEST(LanguageShow, MissingOrUnreadableSettingsGiveTheDefaults) {
    TempDir dir;
    // A missing file, and a folder where the file should be: both read as no settings at all.
    for (const std::string& settings : {dir.File("missing.ini"), dir.path()}) {
        SCOPED_TRACE(settings);
        CommandResult result = Show({"--settings", settings}, "3");
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.out.find("language=3\nfilesubfix=.pas\n"), std::string::npos);
        EXPECT_NE(result.out.find("setvalue=:=\nquotation=39\nlinendchar=59\ncarryreturn=rrnn\n"),
                  std::string::npos);
        EXPECT_NE(result.out.find("\nnumbersubfix=\nlibraryfiles=korvexaux.pas;korvexlink.pas;\n"),
                  std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing.ini")));  // showing writes nothing
}

TEST(LanguageShow, RefusesAnIndexThatIsNoNumber) {
    for (const char* index : {"x", "1x", "", "4294967296"}) {
        SCOPED_TRACE(index);
        CommandResult result = Show({"--settings", "/nonexistent/k.ini"}, index);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("korvexer-cli: "), std::string::npos);
    }
}

}  // namespace
}  // namespace korvexer::cli
