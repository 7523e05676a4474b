// SPDX-License-Identifier: MIT
// Tests that a rewrite never loses a byte: long lines, long files, failures, refusals.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/list/list_texts.h"
#include "core/rewrite/apply_list_to_sources.h"
#include "core/scanner/line_model.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::FaultyFileSystem;
using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

const std::string kReplace(texts::kStateReplace);
const std::string kNumber(texts::kTypeNumber);

LanguageDefinition CLike() {
    LanguageDefinition language;
    language.quotation = '"';
    language.onelineexplain = "//";
    language.carryreturn = {'\r', '\n'};
    return language;
}

RowList NumberRow(const std::string& path, const std::string& value, const std::string& position) {
    RowList rows;
    rows.Append({"9", kNumber, value, kReplace, path, position});
    return rows;
}

TEST(ApplyListToSources, GivesBackCutLinesWholeWithTheCommentAtTheirEnd) {
    TempDir dir;
    const std::string a = dir.File("a.cpp");
    // One physical line of 12,000 bytes: the line model cuts it into three entries.
    const std::string head = "n = 40; ";
    const std::string line = head + std::string(12000 - head.size() - 2, 'x') + "/;";
    WriteBytes(a, "int n;\r\n" + line + "\r\nz = 1;");
    Expected<ApplyOutcome> outcome = ApplyListToSources(
        NumberRow(a, "40", "2:4"), ListKind::Constants, CLike(), FileSystem::Real());
    ASSERT_TRUE(outcome);
    ASSERT_EQ(outcome->changedFiles.size(), 1u);
    EXPECT_TRUE(ReadBytes(a) == "int n;\r\nn = GetValueInt(9)" + line.substr(6) + "//40\r\nz = 1;");

    // A row on a later piece of the line: its column counts from that piece.
    std::string sample = "n = 1;\r\n" + std::string(kSourceLineLimit, 'y') + " 77;\r\n";
    WriteBytes(a, sample);
    outcome = ApplyListToSources(NumberRow(a, "77", "3:1"), ListKind::Constants, CLike(),
                                 FileSystem::Real());
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(ReadBytes(a) ==
                "n = 1;\r\n" + std::string(kSourceLineLimit, 'y') + " GetValueInt(9);//77\r\n");
}

TEST(ApplyListToSources, KeepsTheBytesPastTheReadLimit) {
    TempDir dir;
    const std::string a = dir.File("a.cpp");
    struct Case {
        const char* name;
        std::string file;
        std::string expected;
    };
    // The read limit falls inside a line, between CR and LF, and after a whole line.
    const std::string filler = std::string(100, 'f') + "\r\n";
    std::string body;
    while (body.size() + filler.size() <= kSourceReadLimit - 40) body += filler;
    const std::string pad(kSourceReadLimit - body.size() - 12, 'p');  // "n = 40;" ends 5 before
    const Case cases[] = {
        {"inside the last line", body + pad + "n = 40; tail of the line\r\nmore\r\n",
         body + pad + "n = GetValueInt(9); tail of the line//40\r\nmore\r\n"},
        {"between CR and LF", body + pad + "pppp" + "n = 40;\r\nmore",
         body + pad + "pppp" + "n = GetValueInt(9);//40\r\nmore"},
        {"after a whole line",
         body + std::string(kSourceReadLimit - body.size() - 9, 'p') + "n = 40;\r\nmore",
         body + std::string(kSourceReadLimit - body.size() - 9, 'p') +
             "n = GetValueInt(9);//40\r\nmore"},
    };
    for (const Case& c : cases) {
        WriteBytes(a, c.file);
        ASSERT_GT(c.file.size(), kSourceReadLimit) << c.name;
        LineModel model = LoadSourceLines(FileSystem::Real(), a, {'\r', '\n'});
        const std::string line = std::string(model.Line(model.LineCount() - 1));
        const std::size_t column = line.find("n = 40;") + 4;
        ASSERT_NE(line.find("n = 40;"), std::string::npos) << c.name;
        Expected<ApplyOutcome> outcome = ApplyListToSources(
            NumberRow(a, "40", std::to_string(model.LineCount()) + ":" + std::to_string(column)),
            ListKind::Constants, CLike(), FileSystem::Real());
        ASSERT_TRUE(outcome) << c.name;
        EXPECT_EQ(outcome->changedFiles.size(), 1u) << c.name;
        EXPECT_TRUE(ReadBytes(a) == c.expected) << c.name;
        EXPECT_TRUE(ReadBytes(a + "~") == c.file) << c.name;
    }
}

TEST(ApplyListToSources, AFailureAtAnyStepLeavesTheFileAsItWas) {
    using Step = FaultyFileSystem::Step;
    struct Case {
        const char* name;
        Step step;
        const char* nameEnd;
        bool backupWritten;
    };
    const Case cases[] = {
        {"backup: temporary file", Step::CreateTemporary, "a.cpp~", false},
        {"backup: disk full", Step::Write, "a.cpp~", false},
        {"backup: rename", Step::Rename, "a.cpp~", false},
        {"temporary file", Step::CreateTemporary, "a.cpp", true},
        {"disk full", Step::Write, "a.cpp", true},
        {"flush", Step::Flush, "a.cpp", true},
        {"close", Step::Close, "a.cpp", true},
        {"permissions", Step::SetPermissions, "a.cpp", true},
        {"rename", Step::Rename, "a.cpp", true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string a = dir.File("a.cpp"), b = dir.File("b.cpp");
        WriteBytes(a, "n = 40;\r\n");
        WriteBytes(b, "m = 40;\r\n");
        RowList rows = NumberRow(a, "40", "1:4");
        rows.Append({"10", kNumber, "40", kReplace, b, "1:4"});
        FaultyFileSystem fs;
        fs.FailOn(c.step, c.nameEnd);
        Expected<ApplyOutcome> outcome = ApplyListToSources(rows, ListKind::Constants, CLike(), fs);
        ASSERT_TRUE(outcome) << c.name;
        ASSERT_EQ(outcome->failedFiles.size(), 1u) << c.name;
        EXPECT_EQ(outcome->failedFiles[0].path, a) << c.name;
        EXPECT_EQ(ReadBytes(a), "n = 40;\r\n") << c.name;
        EXPECT_EQ(::access((a + "~").c_str(), F_OK) == 0, c.backupWritten) << c.name;
        for (const std::string& temporary : fs.temporaryFiles())
            EXPECT_NE(::access(temporary.c_str(), F_OK), 0) << c.name << " " << temporary;
        // The other file is written all the same.
        EXPECT_EQ(outcome->changedFiles, std::vector<std::string>{b}) << c.name;
        EXPECT_EQ(ReadBytes(b), "m = GetValueInt(10);//40\r\n") << c.name;
    }
}

TEST(ApplyListToSources, RefusesReadOnlyFilesAndNamesUnreadableOnes) {
    TempDir dir;
    const std::string a = dir.File("a.cpp"), missing = dir.File("missing.cpp");
    WriteBytes(a, "n = 40;\r\n");
    ::chmod(a.c_str(), 0444);
    RowList rows = NumberRow(a, "40", "1:4");
    rows.Append({"10", kNumber, "40", kReplace, missing, "1:4"});
    Expected<ApplyOutcome> outcome =
        ApplyListToSources(rows, ListKind::Constants, CLike(), FileSystem::Real());
    ASSERT_TRUE(outcome);
    ASSERT_EQ(outcome->failedFiles.size(), 1u);
    EXPECT_EQ(outcome->failedFiles[0].path, a);
    EXPECT_NE(outcome->failedFiles[0].message.find("read-only"), std::string::npos);
    EXPECT_EQ(ReadBytes(a), "n = 40;\r\n");
    EXPECT_NE(::access((a + "~").c_str(), F_OK), 0);
    ASSERT_EQ(outcome->unreadableFiles.size(), 1u);
    EXPECT_EQ(outcome->unreadableFiles[0].path, missing);
    EXPECT_TRUE(outcome->changedFiles.empty());
}

TEST(ApplyListToSources, RefusesALanguageWithoutACommentPrefixAndChangesNothing) {
    TempDir dir;
    const std::string a = dir.File("a.cpp");
    WriteBytes(a, "n = 40;\r\n");
    LanguageDefinition noComment = CLike();
    noComment.onelineexplain.clear();
    LanguageDefinition noQuote = CLike();
    noQuote.quotation = 0;
    for (const LanguageDefinition& language : {noComment, noQuote}) {
        Expected<ApplyOutcome> outcome = ApplyListToSources(
            NumberRow(a, "40", "1:4"), ListKind::Constants, language, FileSystem::Real());
        ASSERT_FALSE(outcome);
        EXPECT_NE(outcome.error().message.find("no file was changed"), std::string::npos);
        EXPECT_EQ(ReadBytes(a), "n = 40;\r\n");
    }
    // Function rows need no quote, and a list with nothing to take up is no reason to refuse.
    RowList calls;
    calls.Append({"1", "f", "f_kx", kReplace, a, "1:0"});
    EXPECT_TRUE(ApplyListToSources(calls, ListKind::Functions, noQuote, FileSystem::Real()));
    EXPECT_TRUE(ApplyListToSources(RowList(), ListKind::Constants, noComment, FileSystem::Real()));
}

}  // namespace
}  // namespace korvexer
