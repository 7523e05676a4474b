// SPDX-License-Identifier: MIT
// Fault injection into the rewriting of source files: the file system changes between the scan
// and OK, or fails while a file and its backup are replaced.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/platform/clock.h"
#include "core/rewrite/apply_list_to_sources.h"
#include "core/scanner/source_scanner.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::FaultyFileSystem;
using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;
using Step = FaultyFileSystem::Step;

const std::string kSource = "int main() {\r\n    n = 40;\r\n    s = \"abc\";\r\n}\r\n";

bool Exists(const std::string& path) {
#ifdef _WIN32
    return test_support::PathExists(path);
#else
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0;
#endif
}

// The rows a constant scan of `path` lists, all marked to be replaced.
RowList ScannedRows(const std::string& path, const LanguageDefinition& language) {
    FixedClock clock(1700000000);
    SourceScanner scanner(FileSystem::Real(), language, clock);
    RowList rows;
    std::uint32_t counter = 1024;
    EXPECT_TRUE(scanner.ScanFile(rows, path, counter, ScanMode::Constants));
    for (std::size_t row = 0; row < rows.size(); ++row)
        rows.SetText(row, kStepState, std::string(texts::kStateReplace));
    return rows;
}

TEST(FaultBetweenScanAndApply, LeavesTheFileAsTheOtherProgramLeftItAndNamesIt) {
    const LanguageDefinition language = LoaderDefaults(0);
    struct Case {
        const char* name;
        std::function<void(const std::string&)> change;
        bool unreadable;       // named among the files that could not be read
        bool failed;           // named among the files that could not be written
        const char* expected;  // the file's bytes afterwards; nullptr when it is no file
    };
    const Case cases[] = {
        {"turned read-only", [](const std::string& p) { test_support::MakeReadOnly(p); }, false,
         true, kSource.c_str()},
        {"removed", [](const std::string& p) { ::unlink(p.c_str()); }, true, false, nullptr},
        {"replaced by a folder",
         [](const std::string& p) {
             ::unlink(p.c_str());
             test_support::MakeDirectory(p);
         },
         true, false, nullptr},
        {"rewritten with other lines",
         [](const std::string& p) { WriteBytes(p, "int main() {\r\n}\r\n"); }, false, false,
         "int main() {\r\n}\r\n"},
        {"emptied", [](const std::string& p) { WriteBytes(p, ""); }, false, false, ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.File("main.cpp");
        WriteBytes(path, kSource);
        RowList rows = ScannedRows(path, language);
        ASSERT_EQ(rows.size(), 2u) << c.name;
        c.change(path);

        Expected<ApplyOutcome> outcome =
            ApplyListToSources(rows, ListKind::Constants, language, FileSystem::Real());
        ASSERT_TRUE(outcome) << c.name;
        EXPECT_TRUE(outcome->changedFiles.empty()) << c.name;
        ASSERT_EQ(outcome->unreadableFiles.size(), c.unreadable ? 1u : 0u) << c.name;
        ASSERT_EQ(outcome->failedFiles.size(), c.failed ? 1u : 0u) << c.name;
        if (c.unreadable) {
            EXPECT_EQ(outcome->unreadableFiles[0].path, path) << c.name;
        }
        if (c.failed) {
            EXPECT_EQ(outcome->failedFiles[0].path, path) << c.name;
        }
        if (c.expected) {
            EXPECT_EQ(ReadBytes(path), c.expected) << c.name;
        } else {
            Expected<FileInfo> info = FileSystem::Real().Stat(path);
            EXPECT_FALSE(info && info->isRegular) << c.name << ": a removed file came back";
        }
        EXPECT_FALSE(Exists(path + "~")) << c.name << ": a backup of nothing was written";
    }
}

TEST(FaultWhileReplacing, AFileChangedByAnotherProgramMeanwhileIsNotOverwritten) {
    const LanguageDefinition language = LoaderDefaults(0);
    const std::string theirs = kSource + "int added_by_someone_else;\r\n";
    // The other program writes just before the temporary file is made, or while it is written.
    for (Step step : {Step::CreateTemporary, Step::Write}) {
        TempDir dir;
        const std::string path = dir.File("main.cpp");
        WriteBytes(path, kSource);
        RowList rows = ScannedRows(path, language);
        FaultyFileSystem fs;
        fs.Before(step, "main.cpp", [&] { WriteBytes(path, theirs); });

        Expected<ApplyOutcome> outcome =
            ApplyListToSources(rows, ListKind::Constants, language, fs);
        ASSERT_TRUE(outcome);
        ASSERT_EQ(outcome->failedFiles.size(), 1u) << static_cast<int>(step);
        EXPECT_EQ(outcome->failedFiles[0].path, path);
        EXPECT_NE(outcome->failedFiles[0].message.find("changed on disk"), std::string::npos)
            << outcome->failedFiles[0].message;
        EXPECT_EQ(ReadBytes(path), theirs);
        // The backup holds the file as the rewrite read it.
        EXPECT_EQ(ReadBytes(path + "~"), kSource);
        for (const std::string& temporary : fs.temporaryFiles()) EXPECT_FALSE(Exists(temporary));
    }
}

TEST(FaultWhileReplacing, AFailingBackupKeepsTheOlderBackupAndTheFile) {
    const LanguageDefinition language = LoaderDefaults(0);
    for (Step step : {Step::Flush, Step::Close, Step::SetPermissions}) {
        TempDir dir;
        const std::string path = dir.File("main.cpp");
        WriteBytes(path, kSource);
        WriteBytes(path + "~", "the backup of an earlier rewrite");
        RowList rows = ScannedRows(path, language);
        FaultyFileSystem fs;
        fs.FailOn(step, "main.cpp~");

        Expected<ApplyOutcome> outcome =
            ApplyListToSources(rows, ListKind::Constants, language, fs);
        ASSERT_TRUE(outcome);
        ASSERT_EQ(outcome->failedFiles.size(), 1u) << static_cast<int>(step);
        EXPECT_EQ(outcome->failedFiles[0].path, path);
        EXPECT_NE(outcome->failedFiles[0].message.find("backup"), std::string::npos);
        EXPECT_EQ(ReadBytes(path), kSource);
        EXPECT_EQ(ReadBytes(path + "~"), "the backup of an earlier rewrite");
        for (const std::string& temporary : fs.temporaryFiles()) EXPECT_FALSE(Exists(temporary));
    }
}

TEST(FaultWhileReplacing, AHardLinkedFileIsWholeAfterAFailedWriteInPlace) {
    const LanguageDefinition language = LoaderDefaults(0);
    // A file with two names is written in place; a write that fails half way puts the old bytes
    // back, and when even that fails the message says so and the backup holds them.
    for (bool lasting : {false, true}) {
        for (Step step : {Step::Write, Step::Flush, Step::Close}) {
            TempDir dir;
            const std::string path = dir.File("main.cpp"), link = dir.File("linked.cpp");
            WriteBytes(path, kSource);
            ASSERT_NO_THROW(test_support::MakeHardLink(path, link));
            RowList rows = ScannedRows(path, language);
            FaultyFileSystem fs;
            if (lasting)
                fs.FailOn(step, "main.cpp");
            else
                fs.FailOnce(step, "main.cpp");
            const std::string name =
                std::to_string(static_cast<int>(step)) + (lasting ? " lasting" : " once");

            Expected<ApplyOutcome> outcome =
                ApplyListToSources(rows, ListKind::Constants, language, fs);
            ASSERT_TRUE(outcome);
            ASSERT_EQ(outcome->failedFiles.size(), 1u) << name;
            EXPECT_EQ(outcome->failedFiles[0].path, path);
            const std::string& message = outcome->failedFiles[0].message;
            EXPECT_NE(message.find(lasting ? "could not be written back" : "was written back"),
                      std::string::npos)
                << name << ": " << message;
            EXPECT_EQ(ReadBytes(path + "~"), kSource) << name;
            if (!lasting) {
                EXPECT_EQ(ReadBytes(path), kSource) << name;
            }
            EXPECT_EQ(ReadBytes(link), ReadBytes(path)) << name;
        }
    }
}

}  // namespace
}  // namespace korvexer
