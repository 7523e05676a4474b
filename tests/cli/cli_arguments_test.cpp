// SPDX-License-Identifier: MIT
// Tests of how korvexer-cli takes file names with Chinese characters from its command line, in
// both of its encodings, and that its output bytes are the same on every platform.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/platform/file_system.h"
#include "tests/support/test_support.h"

namespace korvexer::cli {
namespace {

using test_support::CommandResult;
using test_support::RunProgram;
using test_support::TempDir;

// 你好 in GBK and in UTF-8.
const std::string kNameGbk = "\xC4\xE3\xBA\xC3";
const std::string kNameUtf8 = "\xE4\xBD\xA0\xE5\xA5\xBD";

TEST(CliArguments, FileNamesReachTheFileSystemInEitherEncoding) {
    TempDir dir;
    // The core writes the file under its GBK name, in whatever form the platform keeps names.
    const std::string gbkPath = dir.File(kNameGbk + ".cpp");
    ASSERT_TRUE(ReplaceFile(FileSystem::Real(), gbkPath, "x = 1;\r\ny\n"));
    const std::string settings = dir.File("none.ini");

    struct Case {
        std::vector<std::string> arguments;
        std::string what;
    };
    const std::vector<Case> cases = {
        {{"--settings", settings, "lines", "--language", "0", dir.File(kNameUtf8 + ".cpp")},
         "UTF-8 argument"},
        {{"--settings", settings, "--encoding", "gbk", "lines", "--language", "0", gbkPath},
         "GBK argument"},
        {{"--settings", settings, "--encoding=gbk", "lines", "--language", "0", gbkPath},
         "GBK argument, option joined"},
    };
    for (const Case& c : cases) {
        CommandResult result = RunProgram(KORVEXER_CLI, c.arguments);
        EXPECT_EQ(result.exitCode, 0) << c.what << ": " << result.err;
        // LF alone ends each printed row: no CR is added on the way out.
        EXPECT_EQ(result.out, "1\tx = 1;\n2\ty\\n\n") << c.what;
        EXPECT_EQ(result.err, "") << c.what;
    }
}

TEST(CliArguments, AMissingChineseNameIsNamedInTheRefusal) {
    TempDir dir;
    CommandResult result = RunProgram(KORVEXER_CLI, {"--settings", dir.File("none.ini"), "lines",
                                                     "--language", "0", kNameUtf8 + "-gone.cpp"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(kNameUtf8 + "-gone.cpp"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace korvexer::cli
