// SPDX-License-Identifier: MIT
// Tests of korvexer-cli record read and record write.
#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::CommandResult;
using test_support::ReadBytes;
using test_support::RunProgram;
using test_support::TempDir;
using test_support::WriteBytes;

TEST(RecordCli, WritesTheExactBytesAndReadsThemBack) {
    TempDir dir;
    const std::string path = dir.File("demo.con");
    // "字符串" in UTF-8; the record holds its type code, and reading shows it again.
    const std::string rows =
        "C\t1025\t\xE5\xAD\x97\xE7\xAC\xA6\xE4\xB8\xB2\tabc\tC:\\\\a.cpp\t3:8\n"
        "X\tnot a row of the record\n"
        "F\t1\tMessageBox\tMessageBox_kx\t/b.cpp\t7:4\n"
        "S\t/b.cpp\n";
    CommandResult written = RunProgram(KORVEXER_CLI, {"record", "write", path}, rows);
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, 4 + 40 + 2),
              "42\r\rEXCHANGEVAR_VER1\x04\x01\x03\x08\x03"
              "10252abcC:\\a.cpp3:8\r\r");

    CommandResult read = RunProgram(KORVEXER_CLI, {"record", "read", path});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out,
              "C\t1025\t\xE5\xAD\x97\xE7\xAC\xA6\xE4\xB8\xB2\tabc\tC:\\\\a.cpp\t3:8\n"
              "F\t1\tMessageBox\tMessageBox_kx\t/b.cpp\t7:4\n"
              "S\t/b.cpp\n"
              "I\t1025\n");

    // With --encoding gbk the bytes pass unchanged: "字符串" is D7D6 B7FB B4AE.
    CommandResult gbk = RunProgram(KORVEXER_CLI, {"--encoding", "gbk", "record", "read", path});
    EXPECT_NE(gbk.out.find("\t\xD7\xD6\xB7\xFB\xB4\xAE\t"), std::string::npos);
}

TEST(RecordCli, ReadPrintsTheCounterAndExitsWithTheResultCode) {
    TempDir dir;
    CommandResult missing = RunProgram(KORVEXER_CLI, {"record", "read", dir.File("none.con")});
    EXPECT_EQ(missing.exitCode, 4);
    EXPECT_EQ(missing.out, "I\t1024\n");

    // The first section is whole, the second is cut: the constant row read before stays.
    WriteBytes(dir.File("cut.con"),
               "28\r\rEXCHANGEVAR_VER1\x01\x01\x01\x01\x01"
               "72xfp\r\r9\r\r\x01");
    CommandResult cut = RunProgram(KORVEXER_CLI, {"record", "read", dir.File("cut.con")});
    EXPECT_EQ(cut.exitCode, 2);
    EXPECT_EQ(cut.out, "C\t7\t\xE5\xAD\x97\xE7\xAC\xA6\xE4\xB8\xB2\tx\tf\tp\nI\t7\n");

    WriteBytes(dir.File("magic.con"), "18\r\rEXCHANGEVAR_VER0\r\r2\r\r\r\r2\r\r\r\r");
    CommandResult magic = RunProgram(KORVEXER_CLI, {"record", "read", dir.File("magic.con")});
    EXPECT_EQ(magic.exitCode, 3);
    EXPECT_EQ(magic.out, "I\t1024\n");
}

TEST(RecordCli, WriteRefusesRowsPastTheLimitsAndLeavesTheFile) {
    TempDir dir;
    const std::string path = dir.File("demo.con");
    WriteBytes(path, "old");
    const std::string rows = "S\t/a.cpp\nS\t" + std::string(300, 'p') + "\n";
    CommandResult refused = RunProgram(KORVEXER_CLI, {"record", "write", path}, rows);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("source file 2"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadBytes(path), "old");

    CommandResult noFolder =
        RunProgram(KORVEXER_CLI, {"record", "write", dir.File("no/such/folder.con")}, "S\ta\n");
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_NE(noFolder.err.find("folder.con"), std::string::npos) << noFolder.err;
}

}  // namespace
}  // namespace korvexer
