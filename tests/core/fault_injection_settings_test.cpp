// SPDX-License-Identifier: MIT
// Fault injection into settings writes: the settings file is never left half written or lost.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/profile_store.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::FaultyFileSystem;
using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;
using Step = FaultyFileSystem::Step;

const std::string kSettings = "[Common Data]\r\nCompanyID=KORVEX\r\n[language_0]\r\nsetvalue==\r\n";

TEST(FaultWritingSettings, EveryFailingStepLeavesTheFileAndNamesIt) {
    const Step steps[] = {Step::Read,  Step::CreateTemporary, Step::Write, Step::Flush,
                          Step::Close, Step::SetPermissions,  Step::Rename};
    for (Step step : steps) {
        TempDir dir;
        const std::string path = dir.File("korvexer.ini");
        WriteBytes(path, kSettings);
        FaultyFileSystem fs;
        fs.FailOn(step, "korvexer.ini");
        ProfileStore store(fs, path);
        // Both a changed key and a new section: neither may cost the lines already there.
        for (auto [section, key] : {std::pair{"Common Data", "CompanyID"}, {"New", "Key"}}) {
            Status status = store.WriteString(section, key, "written");
            ASSERT_FALSE(status) << static_cast<int>(step);
            EXPECT_EQ(status.error().path, path) << static_cast<int>(step);
            EXPECT_EQ(ReadBytes(path), kSettings) << static_cast<int>(step);
        }
        EXPECT_EQ(ProfileStore(FileSystem::Real(), path).GetString("Common Data", "CompanyID", ""),
                  "KORVEX");
        for (const std::string& temporary : fs.temporaryFiles())
            EXPECT_NE(::access(temporary.c_str(), F_OK), 0) << temporary;
    }
}

TEST(FaultWritingSettings, AFileChangedByAnotherProgramMeanwhileIsNotOverwritten) {
    TempDir dir;
    const std::string path = dir.File("korvexer.ini");
    WriteBytes(path, kSettings);
    const std::string theirs = kSettings + "[Theirs]\r\nkept=1\r\n";
    FaultyFileSystem fs;
    fs.Before(Step::Write, "korvexer.ini", [&] { WriteBytes(path, theirs); });
    Status status = ProfileStore(fs, path).WriteString("Common Data", "CompanyID", "OTHER");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().path, path);
    EXPECT_NE(status.error().message.find("changed on disk"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), theirs);
}

TEST(FaultWritingSettings, AFolderInTheWayIsNamedAndKept) {
    TempDir dir;
    const std::string path = dir.File("korvexer.ini");
    ASSERT_NO_THROW(test_support::MakeDirectory(path));
    ProfileStore store(FileSystem::Real(), path);
    Status status = store.WriteString("Common Data", "CompanyID", "KORVEX");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().path, path);
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    // Reads of it give the defaults.
    EXPECT_EQ(store.GetString("Common Data", "CompanyID", "none "), "none");
}

}  // namespace
}  // namespace korvexer
