// SPDX-License-Identifier: MIT
// The road of one constant: listed, replaced by its accessor call, recorded, known again, taken
// back, through korvexer-cli and the constant step as the window runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/constants/constant_step.h"
#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/record/record_file.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::CommandResult;
using test_support::ReadBytes;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

TEST(RoadOfOneConstant, ReplacedRecordedKnownAgainAndTakenBack) {
    TempDir dir;
    const std::string main = dir.File("main.cpp"), settings = dir.File("korvexer.ini");
    std::string before;
    for (int line = 1; line < 12; ++line) before += "// line " + std::to_string(line) + "\r\n";
    const std::string source = before + "x = \"abc\";\r\n";
    WriteBytes(main, source);
    WriteBytes(settings,
               "[Common Data]\r\nCompanyID=ACME\r\nProductID=DEMO\r\n[ACME DEMO]\r\n"
               "LanguageIndex=0\r\nMainPrgFile=" +
                   main + "\r\nApplication=" + dir.File("demo.exe") + "\r\n");

    CommandResult protect =
        RunProgram(KORVEXER_CLI, {"--settings", settings, "project", "protect"});
    ASSERT_EQ(protect.exitCode, 0) << protect.err;
    EXPECT_EQ(ReadBytes(main + "~"), source);

    // The record holds the row: index, string type, value, file and position 12:4.
    RecordLists record;
    std::int32_t counter = 0;
    ASSERT_EQ(ReadRecordFile(FileSystem::Real(), dir.File("demo.con"), record, counter),
              RecordReadResult::Complete);
    ASSERT_EQ(record.constants.size(), 1u);
    const std::string index = record.constants.Text(0, 0);
    EXPECT_EQ(
        record.constants[0].columns,
        (std::vector<std::string>{index, std::string(texts::kTypeString), "abc", main, "12:4"}));
    const long number = std::strtol(index.c_str(), nullptr, 10);
    EXPECT_GE(number, 1025);
    EXPECT_EQ((number - 1025) % 5, 0);
    EXPECT_EQ(ReadBytes(main), before + "x = GetValueStr(" + index + ");//\"abc\"\r\n");

    // The next opening finds the accessor call and the record marks it "替换".
    const LanguageDefinition language = LoaderDefaults(0);
    ConstantStep step(FileSystem::Real(), language, Clock::System());
    step.Open(record.constants, &record.sourceFiles, main, static_cast<std::uint32_t>(number));
    ASSERT_EQ(step.rows().size(), 1u);
    EXPECT_EQ(step.rows()[0].columns,
              (std::vector<std::string>{index, std::string(texts::kTypeString), "abc",
                                        std::string(texts::kStateReplace), main, "12:4"}));

    CommandResult restore =
        RunProgram(KORVEXER_CLI, {"--settings", settings, "project", "restore"});
    ASSERT_EQ(restore.exitCode, 0) << restore.err;
    EXPECT_EQ(ReadBytes(main), source);
    RecordLists after;
    ASSERT_EQ(ReadRecordFile(FileSystem::Real(), dir.File("demo.con"), after, counter),
              RecordReadResult::Complete);
    EXPECT_TRUE(after.constants.empty());
}

}  // namespace
}  // namespace korvexer
