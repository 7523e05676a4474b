// SPDX-License-Identifier: MIT
// Bad record files: fields full of the bytes the format uses itself, files cut at every byte,
// files of several megabytes, endless length lines and binary noise.
#include <gtest/gtest.h>

#include <random>

#include "core/list/list_texts.h"
#include "core/record/record_file.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::TempDir;
using test_support::WriteBytes;

RecordReadResult ReadBytesAsRecord(const std::string& bytes, RecordLists& lists,
                                   std::int32_t& counter) {
    static TempDir dir;
    WriteBytes(dir.File("r.con"), bytes);
    return ReadRecordFile(FileSystem::Real(), dir.File("r.con"), lists, counter);
}

// Rows whose fields hold carriage returns, NUL bytes, digits and GBK text, up to 255 bytes.
RecordLists AwkwardLists() {
    RecordLists lists;
    const std::string cr2("\r\r", 2), nul("\0\0", 2);
    lists.constants.Append({"1025", std::string(texts::kTypeString), cr2 + "abc" + cr2,
                            "/\xD6\xD0\xCE\xC4/a.cpp", "3:8"});
    lists.constants.Append(
        {"99\r\r", std::string(texts::kTypeNumber), std::string(255, '\r'), nul + "b.cpp", "12:4"});
    lists.functions.Append({"1", "18\r\r", "EXCHANGEVAR_VER1", std::string(255, '\0'), "7:4"});
    lists.functions.Append({"", "", "", "", ""});
    lists.sourceFiles = {cr2, std::string(255, '\xB0'), "", "/\xD6\xD0.cpp"};
    return lists;
}

bool SameRows(const RowList& read, const RowList& written, std::size_t count) {
    for (std::size_t row = 0; row < count; ++row)
        if (read[row].columns != written[row].columns) return false;
    return true;
}

TEST(BadRecordFiles, FieldsHoldingTheFormatsOwnBytesReadBackAtEveryCut) {
    const RecordLists lists = AwkwardLists();
    Expected<std::string> whole = AssembleRecordFile(lists);
    ASSERT_TRUE(whole) << whole.error().message;
    for (std::size_t size = 0; size <= whole->size(); ++size) {
        RecordLists read;
        std::int32_t counter = kFirstConstantIndex;
        const RecordReadResult result = ReadBytesAsRecord(whole->substr(0, size), read, counter);
        EXPECT_EQ(result,
                  size == whole->size() ? RecordReadResult::Complete : RecordReadResult::Malformed)
            << size;
        // Whatever was read is the start of what was written, row for row.
        ASSERT_LE(read.constants.size(), lists.constants.size()) << size;
        ASSERT_LE(read.functions.size(), lists.functions.size()) << size;
        ASSERT_LE(read.sourceFiles.size(), lists.sourceFiles.size()) << size;
        EXPECT_TRUE(SameRows(read.constants, lists.constants, read.constants.size())) << size;
        EXPECT_TRUE(SameRows(read.functions, lists.functions, read.functions.size())) << size;
        EXPECT_TRUE(
            std::equal(read.sourceFiles.begin(), read.sourceFiles.end(), lists.sourceFiles.begin()))
            << size;
        if (result == RecordReadResult::Complete) {
            EXPECT_EQ(read.sourceFiles, lists.sourceFiles);
            EXPECT_EQ(counter, 99);  // atoi of the last constant's index "99\r\r"
        }
    }
}

TEST(BadRecordFiles, SeveralMegabytesAndEndlessLengthLines) {
    const std::string whole = *AssembleRecordFile(AwkwardLists());
    std::mt19937 random(5);
    std::string noise(5 * 1024 * 1024, '\0');
    for (char& byte : noise) byte = static_cast<char>(random() & 0xFF);
    struct Case {
        const char* name;
        std::string bytes;
        RecordReadResult result;
        std::size_t constants;
    };
    const Case cases[] = {
        {"a record followed by megabytes", whole + noise, RecordReadResult::Complete, 2},
        {"megabytes of noise", noise, RecordReadResult::Malformed, 0},
        {"a length line of a million digits", std::string(1000000, '7') + "\r\r",
         RecordReadResult::Malformed, 0},
        {"a length line of a million zeros", std::string(1000000, '0') + "18\r\r",
         RecordReadResult::Malformed, 0},
        {"the magic after megabytes of zeros",
         "18\r\r" + std::string(3 * 1024 * 1024, '\0') + "EXCHANGEVAR_VER1",
         RecordReadResult::WrongMagic, 0},
    };
    for (const Case& c : cases) {
        RecordLists read;
        std::int32_t counter = kFirstConstantIndex;
        EXPECT_EQ(ReadBytesAsRecord(c.bytes, read, counter), c.result) << c.name;
        EXPECT_EQ(read.constants.size(), c.constants) << c.name;
    }
}

}  // namespace
}  // namespace korvexer
