// SPDX-License-Identifier: MIT
// Tests of the CLI's row text form and its exit statuses for usage errors.
#include "cli/row_format.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace korvexer::cli {
namespace {

TEST(RowFormat, EscapesOnlyBackslashTabAndLineEnds) {
    std::vector<std::string> row = {"a\\b", "c\td", "e\r\nf", "\"g'"};
    std::string line = FormatRow(row);
    EXPECT_EQ(line, "a\\\\b\tc\\td\te\\r\\nf\t\"g'");
    EXPECT_EQ(ParseRow(line), row);
    EXPECT_EQ(ParseRow(""), std::vector<std::string>{""});
    EXPECT_EQ(UnescapeColumn("x\\q\\"), "x\\q\\");  // unknown escapes stay as written
}

TEST(CliUsage, UnknownCommandsAreRefusedWithExitTwo) {
    test_support::CommandResult result =
        test_support::RunProgram(KORVEXER_CLI, {"no-such-command"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("korvexer-cli:"), std::string::npos);
    test_support::CommandResult help = test_support::RunProgram(KORVEXER_CLI, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--encoding"), std::string::npos);
}

}  // namespace
}  // namespace korvexer::cli
