// SPDX-License-Identifier: MIT
// Fault injection into the record file: failing writes, unwritable locations, unreadable files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/list/list_texts.h"
#include "core/record/record_file.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::FaultyFileSystem;
using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;
using Step = FaultyFileSystem::Step;

RecordLists Lists() {
    RecordLists lists;
    lists.constants.Append({"1025", std::string(texts::kTypeString), "abc", "/a.cpp", "3:8"});
    lists.functions.Append({"1", "MessageBox", "MessageBox_kx", "/a.cpp", "7:4"});
    lists.sourceFiles = {"/a.cpp"};
    return lists;
}

bool Exists(const std::string& path) {
#ifdef _WIN32
    return test_support::PathExists(path);
#else
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0;
#endif
}

TEST(FaultWritingRecord, EveryFailingStepLeavesTheOldRecordAndNamesIt) {
    const Step steps[] = {Step::CreateTemporary, Step::Write,          Step::Flush,
                          Step::Close,           Step::SetPermissions, Step::Rename};
    for (Step step : steps) {
        TempDir dir;
        const std::string path = dir.File("demo.con");
        WriteBytes(path, "the old record");
        FaultyFileSystem fs;
        fs.FailOn(step, "demo.con");
        Status status = WriteRecordFile(fs, path, Lists());
        ASSERT_FALSE(status) << static_cast<int>(step);
        EXPECT_EQ(status.error().path, path);
        EXPECT_FALSE(status.error().message.empty());
        EXPECT_EQ(ReadBytes(path), "the old record") << static_cast<int>(step);
        for (const std::string& temporary : fs.temporaryFiles())
            EXPECT_FALSE(Exists(temporary)) << temporary;
    }
}

TEST(FaultWritingRecord, AnUnwritableLocationIsNamedAndNothingIsCreated) {
    TempDir dir;
    WriteBytes(dir.File("plain-file"), "x");
    test_support::MakeDirectory(dir.File("folder.con"));
    struct Case {
        const char* name;
        std::string path;
    };
    const Case cases[] = {
        {"missing folder", dir.File("no/such/folder/demo.con")},
        {"a folder in the way", dir.File("folder.con")},
        {"a file where a folder should be", dir.File("plain-file/demo.con")},
        {"a name this system cannot hold", dir.File("\xFF\xFF.con")},
        {"no name", ""},
    };
    for (const Case& c : cases) {
        Status status = WriteRecordFile(FileSystem::Real(), c.path, Lists());
        ASSERT_FALSE(status) << c.name;
        EXPECT_EQ(status.error().path, c.path) << c.name;
        EXPECT_FALSE(status.error().message.empty()) << c.name;
    }
    EXPECT_EQ(ReadBytes(dir.File("plain-file")), "x");
    struct stat status;
    ASSERT_EQ(::stat(dir.File("folder.con").c_str(), &status), 0);
    EXPECT_TRUE(S_ISDIR(status.st_mode));
    EXPECT_FALSE(Exists(dir.File("no")));
}

TEST(FaultReadingRecord, AFileThatCannotBeReadGivesResultOneAndNoRows) {
    TempDir dir;
    const std::string path = dir.File("demo.con");
    ASSERT_TRUE(WriteRecordFile(FileSystem::Real(), path, Lists()));
    FaultyFileSystem fs;
    fs.FailOn(Step::Read, "demo.con");
    RecordLists lists;
    std::int32_t counter = kFirstConstantIndex;
    EXPECT_EQ(ReadRecordFile(fs, path, lists, counter), RecordReadResult::CannotOpen);
    EXPECT_TRUE(lists.constants.empty() && lists.functions.empty() && lists.sourceFiles.empty());
    EXPECT_EQ(counter, kFirstConstantIndex);

    // A folder under the record's name exists but cannot be read.
    test_support::MakeDirectory(dir.File("folder.con"));
    EXPECT_EQ(ReadRecordFile(FileSystem::Real(), dir.File("folder.con"), lists, counter),
              RecordReadResult::CannotOpen);
}

}  // namespace
}  // namespace korvexer
