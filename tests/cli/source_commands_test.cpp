// SPDX-License-Identifier: MIT
// Tests of korvexer-cli lines, statements and scan, run as a program on temporary files.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/platform/path_case.h"
#include "tests/support/test_support.h"

namespace korvexer::cli {
namespace {

using test_support::AsColumn;
using test_support::CommandResult;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

class SourceCommands : public ::testing::Test {
protected:
    // Runs the CLI with a settings file that does not exist, so every language has its defaults.
    CommandResult Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--settings", m_dir.File("none.ini")});
        return RunProgram(KORVEXER_CLI, arguments);
    }
    TempDir m_dir;
};

TEST_F(SourceCommands, LinesShowsTheLineModelWithTheLanguagesBreak) {
    const std::string file = m_dir.File("a.cpp");
    WriteBytes(file, "x = 1;\r\n\ty\\z\rlone\nlf\r\n");
    CommandResult crlf = Run({"lines", "--language", "0", file});
    EXPECT_EQ(crlf.exitCode, 0);
    EXPECT_EQ(crlf.out, "1\tx = 1;\n2\t\\ty\\\\z\n3\tlone\\nlf\n");
    EXPECT_EQ(crlf.err, "");

    // A language whose settings say LF alone takes a CR LF pair for one break too; a lone CR
    // stays in its line.
    const std::string settings = m_dir.File("lf.ini");
    WriteBytes(settings, "[language_3]\r\ncarryreturn=nn\r\n");
    CommandResult lf =
        RunProgram(KORVEXER_CLI, {"--settings", settings, "lines", "--language", "3", file});
    EXPECT_EQ(lf.out, "1\tx = 1;\n2\t\\ty\\\\z\\rlone\n3\tlf\n");

    // A file without the language's break is split at the one it holds, with a warning.
    const std::string lfFile = m_dir.File("lf.cpp");
    WriteBytes(lfFile, "x = 1;\ny = 2;\n");
    for (const char* command : {"lines", "scan"}) {
        CommandResult other =
            command == std::string("scan")
                ? Run({"scan", "constants", "--language", "0", "--now", "0", lfFile})
                : Run({"lines", "--language", "0", lfFile});
        EXPECT_EQ(other.exitCode, 0) << command;
        // Two lines, so the second line's row or text is there.
        EXPECT_NE(other.out.find(command == std::string("scan") ? "\t2:4" : "2\ty = 2"),
                  std::string::npos)
            << command << ": " << other.out;
        EXPECT_NE(other.err.find("lf.cpp holds none of the language's line break"),
                  std::string::npos)
            << command << ": " << other.err;
    }

    // An unreadable file: refused naming it; with --keep-going a warning, no rows, success.
    CommandResult refused = Run({"lines", "--language", "0", m_dir.File("missing.cpp")});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("missing.cpp"), std::string::npos);
    CommandResult missing =
        Run({"lines", "--language", "0", "--keep-going", m_dir.File("missing.cpp")});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("missing.cpp"), std::string::npos);
}

TEST_F(SourceCommands, StatementsShowTextColumnAndComment) {
    const std::string file = m_dir.File("m.cpp");
    WriteBytes(file,
               "static int n = 3;\r\n"
               "  x = 10; // ten\r\n"
               "/* y = 2; */ s = \"\xB0\xA1\";\r\n"
               "r = 1; // can't be replaced\r\n");
    CommandResult result = Run({"statements", "--language", "0", file});
    EXPECT_EQ(result.exitCode, 0);
    // GBK text is shown in UTF-8 by default ("啊").
    EXPECT_EQ(result.out, "2\t2\tx = 10\t ten\n3\t13\ts = \"\xE5\x95\x8A\"\t\n");
    CommandResult bytes = Run({"--encoding", "gbk", "statements", "--language", "0", file});
    EXPECT_EQ(bytes.out, "2\t2\tx = 10\t ten\n3\t13\ts = \"\xB0\xA1\"\t\n");
}

TEST_F(SourceCommands, ScanListsTheMainFileFirstWithAFixedClock) {
    const std::string main = m_dir.File("main.cpp");
    const std::string other = m_dir.File("other.cpp");
    WriteBytes(main, "int main()\r\n{\r\n    x = 10; // ten\r\n    y = GetValueInt(1200);//7\r\n");
    WriteBytes(other, "s = \"hi\";\r\nprintf(\"%d\", x);\r\nz = foo_kx(1);\r\n");

    // The main file is shown as given, the others as the platform's case rule stores them.
    const std::string mainShown = AsColumn(main), otherShown = AsColumn(PathCaseKey(other));
    CommandResult constants =
        Run({"scan", "constants", "--language", "0", "--main", main, "--now", "0", "--counter",
             "2000", "--keep-going", other, main, m_dir.File("gone.cpp")});
    EXPECT_EQ(constants.exitCode, 0);
    EXPECT_EQ(constants.out, "2271\t数值\t10\t\t" + mainShown + "\t3:8\n" +
                                 "1200\t数值\t7\t未知\t" + mainShown + "\t4:8\n" +
                                 "2542\t字符串\thi\t\t" + otherShown + "\t1:4\n");
    EXPECT_NE(constants.err.find("gone.cpp"), std::string::npos);
    EXPECT_EQ(constants.err.find("main.cpp"), std::string::npos);

    CommandResult calls = Run({"scan", "calls", "--language", "0", "--main", main, other});
    EXPECT_EQ(calls.exitCode, 0);
    EXPECT_EQ(calls.out, "1\tprintf\t\t\t" + otherShown + "\t2:0\n" + "2\t\tfoo_kx\t未知\t" +
                             otherShown + "\t3:4\n");
}

TEST_F(SourceCommands, UsageErrorsAreRefused) {
    const std::string file = m_dir.File("a.cpp");
    WriteBytes(file, "x = 1;\r\n");
    const std::vector<std::vector<std::string>> refused = {
        {"scan", "numbers", "--language", "0", file},
        {"scan", "constants", "--language", "zero", file},
        {"scan", "constants", "--language", "0", "--counter", "-1", file},
        {"scan", "constants", "--language", "0", "--now", "soon", file},
        {"lines", file},
        {"statements", "--language", "0"},
    };
    for (const std::vector<std::string>& arguments : refused) {
        CommandResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments[0] << " " << arguments[1];
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("korvexer-cli:"), std::string::npos);
    }
}

}  // namespace
}  // namespace korvexer::cli
