// SPDX-License-Identifier: MIT
// Tests of the record file: path rule, exact bytes, limits, and the reader's result codes.
#include "core/record/record_file.h"

#include <gtest/gtest.h>

#include <random>

#include "core/list/list_texts.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

const std::string kString(texts::kTypeString);
const std::string kNumber(texts::kTypeNumber);

RecordReadResult ReadBack(const std::string& bytes, RecordLists& lists, std::int32_t& counter) {
    static TempDir dir;
    WriteBytes(dir.File("r.con"), bytes);
    return ReadRecordFile(FileSystem::Real(), dir.File("r.con"), lists, counter);
}

RecordLists SampleLists() {
    RecordLists lists;
    lists.constants.Append({"1025", kString, "abc", "C:\\a.cpp", "3:8"});
    lists.constants.Append({"1031", kNumber, "40", "/src/b.cpp", "12:4"});
    lists.functions.Append({"1", "MessageBox", "MessageBox_kx", "/src/b.cpp", "7:4"});
    lists.sourceFiles = {"/src/b.cpp", "C:\\a.cpp"};
    return lists;
}

TEST(RecordFilePath, ReplacesTheFileNamesExtensionOrAppendsOne) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\work\\demo.exe", "C:\\work\\demo.con"},
        {"/home/u/app", "/home/u/app.con"},
        {".exe", ".exe.con"},
        {"a.b.c", "a.b.con"},
        {"", ".con"},
        // Only a dot of the file name starts its extension: the record stays beside the
        // application, and two checkouts named proj.v1 and proj.v2 keep a record each.
        {"dir.d/app", "dir.d/app.con"},
        {"/w/proj.v1/orders/orders", "/w/proj.v1/orders/orders.con"},
        {"C:\\w.1\\demo", "C:\\w.1\\demo.con"},
        {"C:\\w\\.exe", "C:\\w\\.exe.con"},
        {"C:demo.exe", "C:demo.con"},
        {"D:\\w\\a.b\xB5\\pp", "D:\\w\\a.con"},  // \xB5\x5C is one character
    };
    for (const auto& [application, record] : cases)
        EXPECT_EQ(RecordFilePath(application), record) << application;
}

TEST(AssembleRecordFile, EmptyListsGiveThirtyTwoBytes) {
    Expected<std::string> bytes = AssembleRecordFile(RecordLists());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, "18\r\rEXCHANGEVAR_VER1\r\r2\r\r\r\r2\r\r\r\r");
    EXPECT_EQ(bytes->size(), 32u);
}

TEST(AssembleRecordFile, LaysOutOneStringConstantByteForByte) {
    RecordLists lists;
    lists.constants.Append({"1025", kString, "abc", "C:\\a.cpp", "3:8"});
    Expected<std::string> bytes = AssembleRecordFile(lists);
    ASSERT_TRUE(bytes);
    const std::string body = std::string("EXCHANGEVAR_VER1") + "\x04\x01\x03\x08\x03" + "1025" +
                             "2" + "abc" + "C:\\a.cpp" + "3:8";
    ASSERT_EQ(body.size(), 40u);
    EXPECT_EQ(*bytes, "42\r\r" + body + "\r\r2\r\r\r\r2\r\r\r\r");
}

TEST(RecordFile, RoundTripsTheListsAndMapsTypes) {
    RecordLists lists = SampleLists();
    lists.constants.Append({"1100", "something else", "7", "f", "1:1"});
    TempDir dir;
    ASSERT_TRUE(WriteRecordFile(FileSystem::Real(), dir.File("r.con"), lists));
    RecordLists read;
    read.sourceFiles = {"already there"};
    std::int32_t counter = kFirstConstantIndex;
    ASSERT_EQ(ReadRecordFile(FileSystem::Real(), dir.File("r.con"), read, counter),
              RecordReadResult::Complete);
    EXPECT_EQ(counter, 1100);
    ASSERT_EQ(read.constants.size(), 3u);
    EXPECT_EQ(read.constants[0].columns, lists.constants[0].columns);
    EXPECT_EQ(read.constants[1].columns, lists.constants[1].columns);
    EXPECT_EQ(read.constants[2].columns[1], kNumber);  // any type but the string type
    ASSERT_EQ(read.functions.size(), 1u);
    EXPECT_EQ(read.functions[0].columns, lists.functions[0].columns);
    // Rows are appended to what the lists held.
    EXPECT_EQ(read.sourceFiles,
              (std::vector<std::string>{"already there", "/src/b.cpp", "C:\\a.cpp"}));
}

TEST(ReadRecordFile, ReportsMissingAndUnreadableFiles) {
    TempDir dir;
    RecordLists lists;
    std::int32_t counter = kFirstConstantIndex;
    EXPECT_EQ(ReadRecordFile(FileSystem::Real(), dir.File("none.con"), lists, counter),
              RecordReadResult::Missing);
    EXPECT_EQ(ReadRecordFile(FileSystem::Real(), dir.path(), lists, counter),
              RecordReadResult::CannotOpen);
    WriteBytes(dir.File("r.con"), *AssembleRecordFile(SampleLists()));
    test_support::FaultyFileSystem fs;
    fs.FailOn(test_support::FaultyFileSystem::Step::Read, "r.con");
    EXPECT_EQ(ReadRecordFile(fs, dir.File("r.con"), lists, counter), RecordReadResult::CannotOpen);
    EXPECT_EQ(counter, kFirstConstantIndex);
}

TEST(ReadRecordFile, RejectsMalformedSectionsAndKeepsEarlierRows) {
    const std::string one =
        "\x04\x01\x03\x01\x03"
        "10252abcf3:8";
    const std::string section1 =
        std::to_string(16 + one.size() + 2) + "\r\rEXCHANGEVAR_VER1" + one + "\r\r";
    struct Case {
        const char* name;
        std::string bytes;
        RecordReadResult result;
        std::size_t constants;
    };
    const Case cases[] = {
        {"empty file", "", RecordReadResult::Malformed, 0},
        {"non-digit in the length line", "1a\r\r", RecordReadResult::Malformed, 0},
        {"lone CR", "18\rEXCHANGEVAR_VER1\r\r", RecordReadResult::Malformed, 0},
        {"LF instead of CR", "18\n\nEXCHANGEVAR_VER1\r\r", RecordReadResult::Malformed, 0},
        {"huge length", "99999999999999999999999\r\r", RecordReadResult::Malformed, 0},
        {"length 102410", "102410\r\r" + std::string(102410, 'x'), RecordReadResult::Malformed, 0},
        {"short section", "40\r\rEXCHANGEVAR_VER1\r\r", RecordReadResult::Malformed, 0},
        {"wrong magic", "18\r\rEXCHANGEVAR_VER2\r\r2\r\r\r\r2\r\r\r\r",
         RecordReadResult::WrongMagic, 0},
        {"magic cut short", "6\r\rEXCHAN2\r\r\r\r2\r\r\r\r", RecordReadResult::WrongMagic, 0},
        {"no function section", section1, RecordReadResult::Malformed, 1},
        {"entry past its section",
         "23\r\rEXCHANGEVAR_VER1\x01\x01\x01\x01\x09\r\r2\r\r\r\r2\r\r\r\r",
         RecordReadResult::Malformed, 0},
        {"lengths cut short", "21\r\rEXCHANGEVAR_VER1\x01\x01\x01\r\r2\r\r\r\r2\r\r\r\r",
         RecordReadResult::Malformed, 0},
        {"function past its section", section1 + "7\r\r\x05\x00\x00\x00\x00\r\r",
         RecordReadResult::Malformed, 1},
        {"source file past its section",
         section1 + "2\r\r\r\r5\r\r\x09"
                    "ab\r\r",
         RecordReadResult::Malformed, 1},
        {"complete", section1 + "2\r\r\r\r2\r\r\r\r", RecordReadResult::Complete, 1},
        {"bytes after the last section are ignored", section1 + "2\r\r\r\r2\r\r\r\rjunk",
         RecordReadResult::Complete, 1},
    };
    for (const Case& c : cases) {
        RecordLists lists;
        std::int32_t counter = kFirstConstantIndex;
        EXPECT_EQ(ReadBack(c.bytes, lists, counter), c.result) << c.name;
        EXPECT_EQ(lists.constants.size(), c.constants) << c.name;
        EXPECT_EQ(counter, c.constants > 0 ? 1025 : kFirstConstantIndex) << c.name;
    }
}

TEST(ReadRecordFile, AFileCutAtAnyByteGivesResultTwo) {
    const std::string whole = *AssembleRecordFile(SampleLists());
    TempDir dir;
    for (std::size_t size = 0; size < whole.size(); ++size) {
        WriteBytes(dir.File("r.con"), whole.substr(0, size));
        RecordLists lists;
        std::int32_t counter = kFirstConstantIndex;
        EXPECT_EQ(ReadRecordFile(FileSystem::Real(), dir.File("r.con"), lists, counter),
                  RecordReadResult::Malformed)
            << size;
        EXPECT_LE(lists.constants.size(), 2u);
        EXPECT_LE(lists.sourceFiles.size(), 1u) << size;
    }
}

TEST(ReadRecordFile, RandomDamageNeverInventsBytes) {
    const std::string whole = *AssembleRecordFile(SampleLists());
    std::mt19937 random(7);
    for (int round = 0; round < 400; ++round) {
        std::string bytes = whole;
        for (int i = 0; i < 1 + round % 4; ++i)
            bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
        RecordLists lists;
        std::int32_t counter = 0;
        const RecordReadResult result = ReadBack(bytes, lists, counter);
        EXPECT_NE(result, RecordReadResult::Missing);
        // Every byte of a field comes from its own place in the file: the fields read (types
        // aside, which the reader shows as words) never hold more bytes than the file.
        std::size_t fieldBytes = 0;
        for (const RowList* rows : {&lists.constants, &lists.functions})
            for (const Row& row : rows->rows())
                for (std::size_t column = 0; column < row.columns.size(); ++column)
                    if (rows == &lists.functions || column != 1)
                        fieldBytes += row.columns[column].size();
        for (const std::string& path : lists.sourceFiles) fieldBytes += path.size();
        EXPECT_LE(fieldBytes, bytes.size()) << round;
    }
}

TEST(RecordFileLimits, TheLargestSectionTheReaderAcceptsIsWrittenAndReadBack) {
    // 79 entries of five 255-byte fields, one of 255, 255, 255, 255, 246 and one of 11, 0, 0, 0,
    // 0 fill a section of exactly 102,409 bytes.
    RecordLists lists;
    const std::string full(255, 'v');
    for (int i = 0; i < 79; ++i) lists.functions.Append({full, full, full, full, full});
    lists.functions.Append({full, full, full, full, std::string(246, 'w')});
    lists.functions.Append({"12345678901", "", "", "", ""});
    Expected<std::string> bytes = AssembleRecordFile(lists);
    ASSERT_TRUE(bytes) << bytes.error().message;
    EXPECT_NE(bytes->find("\r\r102409\r\r"), std::string::npos);
    RecordLists read;
    std::int32_t counter = kFirstConstantIndex;
    EXPECT_EQ(ReadBack(*bytes, read, counter), RecordReadResult::Complete);
    EXPECT_EQ(read.functions.size(), 81u);

    lists.functions.SetText(80, 0, "123456789012");
    Expected<std::string> tooLong = AssembleRecordFile(lists);
    ASSERT_FALSE(tooLong);
    EXPECT_NE(tooLong.error().message.find("function row 81"), std::string::npos)
        << tooLong.error().message;
}

TEST(WriteRecordFile, RefusesFieldsPastTheLimitAndLeavesTheFile) {
    TempDir dir;
    const std::string path = dir.File("r.con");
    WriteBytes(path, "the old record");
    struct Case {
        const char* name;
        RecordLists lists;
        const char* message;
    };
    std::vector<Case> cases(4);
    cases[0] = {"value", SampleLists(), "constant row 3: the value is 256 bytes"};
    cases[0].lists.constants.Append({"9", kNumber, std::string(256, '1'), "f", "1:1"});
    cases[1] = {"substitute", SampleLists(), "function row 1: the substitute is 300 bytes"};
    cases[1].lists.functions.SetText(0, 2, std::string(300, 's'));
    cases[2] = {"source file", SampleLists(), "source file 2: the path is 256 bytes"};
    cases[2].lists.sourceFiles[1] = std::string(256, 'p');
    cases[3] = {"constant list", RecordLists(), "constant row 393 on"};
    for (int i = 0; i < 410; ++i)
        cases[3].lists.constants.Append({"1", kNumber, std::string(250, 'n'), "f", "1:1"});
    for (const Case& c : cases) {
        Status status = WriteRecordFile(FileSystem::Real(), path, c.lists);
        ASSERT_FALSE(status) << c.name;
        EXPECT_NE(status.error().message.find(c.message), std::string::npos)
            << c.name << ": " << status.error().message;
        EXPECT_EQ(status.error().path, path);
        EXPECT_EQ(ReadBytes(path), "the old record") << c.name;
    }
    // A field of exactly 255 bytes is fine.
    RecordLists lists;
    lists.sourceFiles = {std::string(255, 'p')};
    EXPECT_TRUE(WriteRecordFile(FileSystem::Real(), path, lists));
}

TEST(WriteRecordFile, AFailedWriteLeavesTheOldFile) {
    TempDir dir;
    const std::string path = dir.File("r.con");
    WriteBytes(path, "the old record");
    test_support::FaultyFileSystem fs;
    fs.FailOn(test_support::FaultyFileSystem::Step::Write, "r.con");
    EXPECT_FALSE(WriteRecordFile(fs, path, SampleLists()));
    EXPECT_EQ(ReadBytes(path), "the old record");
}

}  // namespace
}  // namespace korvexer
