// SPDX-License-Identifier: MIT
// Tests of ApplyListToSources on files: order, keys, backups, whole files, failures.
#include "core/rewrite/apply_list_to_sources.h"

#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "core/list/list_texts.h"
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
const std::string kUnknown(texts::kStateUnknown);
const std::string kString(texts::kTypeString);
const std::string kNumber(texts::kTypeNumber);

LanguageDefinition CLike(LineBreak lineBreak = {'\r', '\n'}) {
    LanguageDefinition language;
    language.quotation = '"';
    language.onelineexplain = "//";
    language.carryreturn = lineBreak;
    return language;
}

Expected<ApplyOutcome> Apply(const RowList& rows, ListKind kind = ListKind::Constants,
                             const LanguageDefinition& language = CLike()) {
    return ApplyListToSources(rows, kind, language, FileSystem::Real());
}

TEST(ApplyListToSources, AppliesAndTakesBackRowsOfSeveralFilesWithBackups) {
    TempDir dir;
    const std::string a = dir.File("a.cpp"), b = dir.File("b.cpp"), c = dir.File("c.cpp");
    WriteBytes(a, "x = \"abc\";\r\nn = 40;\r\n");
    WriteBytes(b, "int y;\r\ny = 7;");
    WriteBytes(c, "s = \"hi\";\r\n");
    RowList rows;
    rows.Append({"1025", kString, "abc", kReplace, a, "1:4"});
    rows.Append({"1030", kNumber, "7", kReplace, b, "2:4"});
    rows.Append({"1031", kNumber, "40", kReplace, a, "2:4"});
    rows.Append({"1040", kString, "hi", kReplace, c, "1:4"});
    Expected<ApplyOutcome> outcome = Apply(rows);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->changedFiles, (std::vector<std::string>{a, b, c}));
    EXPECT_TRUE(outcome->failedFiles.empty());
    EXPECT_EQ(ReadBytes(a), "x = GetValueStr(1025);//\"abc\"\r\nn = GetValueInt(1031);//40\r\n");
    EXPECT_EQ(ReadBytes(b), "int y;\r\ny = GetValueInt(1030);//7");
    EXPECT_EQ(ReadBytes(c), "s = GetValueStr(1040);//\"hi\"\r\n");
    EXPECT_EQ(ReadBytes(a + "~"), "x = \"abc\";\r\nn = 40;\r\n");
    EXPECT_EQ(ReadBytes(b + "~"), "int y;\r\ny = 7;");

    for (std::size_t row = 0; row < rows.size(); ++row) rows.SetText(row, 3, "");
    outcome = Apply(rows);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->changedFiles.size(), 3u);
    EXPECT_EQ(ReadBytes(a), "x = \"abc\";\r\nn = 40;\r\n");
    EXPECT_EQ(ReadBytes(b), "int y;\r\ny = 7;");  // the last line stays without a break
    EXPECT_EQ(ReadBytes(a + "~"),
              "x = GetValueStr(1025);//\"abc\"\r\nn = GetValueInt(1031);//40\r\n");
}

TEST(ApplyListToSources, ASecondCallWithTheSameListWritesNothing) {
    TempDir dir;
    const std::string a = dir.File("a.cpp");
    WriteBytes(a, "MessageBox(h, s);\r\n");
    RowList rows;
    rows.Append({"1", "MessageBox", "MessageBox_kx", kReplace, a, "1:0"});
    ASSERT_TRUE(ApplyListToSources(rows, ListKind::Functions, CLike(), FileSystem::Real()));
    EXPECT_EQ(ReadBytes(a), "MessageBox_kx(h, s);//MessageBox\r\n");
    ::unlink((a + "~").c_str());

    FaultyFileSystem fs;
    Expected<ApplyOutcome> again = ApplyListToSources(rows, ListKind::Functions, CLike(), fs);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->changedFiles.empty());
    EXPECT_TRUE(fs.replacedFiles().empty());
    EXPECT_TRUE(fs.temporaryFiles().empty());
    EXPECT_EQ(::access((a + "~").c_str(), F_OK), -1);
}

TEST(ApplyListToSources, SkipsRowsItCannotPlaceAndNamesThem) {
    TempDir dir;
    const std::string a = dir.File("a.cpp");
    const std::string text = "n = 40;\r\n 41;\r\nm = 42;\r\n";
    constexpr auto kNotThere = RowSkipReason::TextNotThere;
    struct Case {
        const char* name;
        std::vector<std::string> row;
        const char* after;                  // nullptr: the file stays as it was
        std::optional<RowSkipReason> skip;  // how the row is named, if it is
    };
    const Case cases[] = {
        {"line 0", {"1", kNumber, "40", kReplace, a, "0:4"}, nullptr, kNotThere},
        {"beyond the last line", {"1", kNumber, "40", kReplace, a, "4:4"}, nullptr, kNotThere},
        {"column beyond the line", {"1", kNumber, "40", kReplace, a, "1:40"}, nullptr, kNotThere},
        {"unknown state", {"1", kNumber, "40", kUnknown, a, "1:4"}, nullptr, std::nullopt},
        // A row without a place has nothing to do in a source.
        {"empty position", {"1", kNumber, "40", kReplace, a, ""}, nullptr, std::nullopt},
        {"empty value", {"1", kNumber, "", kReplace, a, "1:4"}, nullptr, kNotThere},
        {"hex value never stands there",
         {"1", kNumber, "31", kReplace, a, "1:4"},
         nullptr,
         kNotThere},
        {"a longer number is another", {"1", kNumber, "4", kReplace, a, "1:4"}, nullptr, kNotThere},
        {"taken back but never applied", {"1", kNumber, "40", "", a, "1:4"}, nullptr, std::nullopt},
        {"taken back but changed", {"1", kNumber, "40", "", a, "3:4"}, nullptr, kNotThere},
        {"no colon means column 1",
         {"1", kNumber, "41", kReplace, a, "2"},
         "n = 40;\r\n GetValueInt(1);//41\r\nm = 42;\r\n",
         std::nullopt},
        {"an empty key is a key",
         {"", kNumber, "42", kReplace, a, "3:4"},
         "n = 40;\r\n 41;\r\nm = GetValueInt();//42\r\n",
         std::nullopt},
    };
    for (const Case& c : cases) {
        WriteBytes(a, text);
        RowList rows;
        rows.Append({"9", kNumber, "40", kUnknown, a, "9:9"});  // rows are named by number
        rows.Append(c.row);
        Expected<ApplyOutcome> outcome = Apply(rows);
        ASSERT_TRUE(outcome) << c.name;
        EXPECT_EQ(ReadBytes(a), c.after ? c.after : text) << c.name;
        EXPECT_EQ(outcome->changedFiles.size(), c.after ? 1u : 0u) << c.name;
        ASSERT_EQ(outcome->skippedRows.size(), c.skip ? 1u : 0u) << c.name;
        if (!c.skip) continue;
        const SkippedRow& skipped = outcome->skippedRows[0];
        EXPECT_EQ(skipped.row, 1u) << c.name;
        EXPECT_EQ(skipped.reason, *c.skip) << c.name;
        EXPECT_EQ(skipped.applying, c.row[3] == kReplace) << c.name;
        EXPECT_EQ(skipped.file, a) << c.name;
        EXPECT_EQ(skipped.position, c.row[5]) << c.name;
    }
}

TEST(ApplyListToSources, NamesTheRowsOfFilesItCouldNotReadOrWrite) {
    TempDir dir;
    const std::string a = dir.File("a.cpp"), missing = dir.File("missing.cpp");
    WriteBytes(a, "n = 40;\r\nm = 41;\r\n");
    ASSERT_EQ(::chmod(a.c_str(), 0444), 0);
    RowList rows;
    rows.Append({"1", kNumber, "40", kReplace, missing, "1:4"});
    rows.Append({"2", kNumber, "40", kReplace, a, "1:4"});
    rows.Append({"3", kNumber, "99", kReplace, a, "2:4"});
    rows.Append({"4", kNumber, "40", kReplace, missing, "2:4"});
    rows.Append({"4", kNumber, "41", "", a, "2:4"});
    Expected<ApplyOutcome> outcome = Apply(rows);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(ReadBytes(a), "n = 40;\r\nm = 41;\r\n");
    std::vector<std::pair<std::size_t, RowSkipReason>> named;
    for (const SkippedRow& skipped : outcome->skippedRows)
        named.emplace_back(skipped.row, skipped.reason);
    EXPECT_EQ(named, (std::vector<std::pair<std::size_t, RowSkipReason>>{
                         {0, RowSkipReason::FileUnreadable},
                         {1, RowSkipReason::FileNotWritten},
                         {2, RowSkipReason::TextNotThere},
                         {3, RowSkipReason::FileUnreadable},
                         {4, RowSkipReason::KeyTaken}}));
    EXPECT_STREQ(RowSkipName(RowSkipReason::KeyTaken), "key-taken");
}

// A place is taken up once: a second row there would rewrite what the first wrote (an accessor
// call with another index is rewritten as one), and a "未知" row's call is left alone.
TEST(ApplyListToSources, TakesUpEachPlaceOnceAndNeverAnUnknownRowsPlace) {
    TempDir dir;
    const std::string a = dir.File("a.cpp");
    WriteBytes(a, "n = 35;\r\nm = GetValueInt(1900);//8\r\n");
    RowList rows;
    rows.Append({"1960", kNumber, "35", kReplace, a, "1:4"});
    rows.Append({"1955", kNumber, "3", kReplace, a, "1:4"});
    rows.Append({"1800", kNumber, "8", kReplace, a, "2:4"});
    rows.Append({"1900", kNumber, "8", kUnknown, a, "2:4"});
    Expected<ApplyOutcome> outcome = Apply(rows);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(ReadBytes(a), "n = GetValueInt(1960);//35\r\nm = GetValueInt(1900);//8\r\n");
    ASSERT_EQ(outcome->skippedRows.size(), 2u);
    EXPECT_EQ(outcome->skippedRows[0].row, 1u);
    EXPECT_EQ(outcome->skippedRows[0].reason, RowSkipReason::PlaceTaken);
    EXPECT_EQ(outcome->skippedRows[1].row, 2u);
    EXPECT_EQ(outcome->skippedRows[1].reason, RowSkipReason::PlaceTaken);
}

TEST(ApplyListToSources, TakesUpEachKeyOnceByItsFirstRow) {
    TempDir dir;
    const std::string a = dir.File("a.cpp"), b = dir.File("b.cpp");
    WriteBytes(a, "n = 40;\r\nm = 41;\r\n");
    WriteBytes(b, "k = 40;\r\n");
    RowList rows;
    rows.Append({"7", kNumber, "40", kUnknown, b, "1:4"});  // left alone, takes no key
    rows.Append({"7", kNumber, "40", kReplace, a, "1:4"});
    rows.Append({"7", kNumber, "40", kReplace, b, "1:4"});  // the key is taken
    rows.Append({"", kNumber, "41", kReplace, a, "2:4"});
    rows.Append({"", kNumber, "40", kReplace, b, "1:4"});  // so is the empty key
    Expected<ApplyOutcome> outcome = Apply(rows);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(ReadBytes(a), "n = GetValueInt(7);//40\r\nm = GetValueInt();//41\r\n");
    EXPECT_EQ(ReadBytes(b), "k = 40;\r\n");
}

TEST(ApplyListToSources, RowsOfOneLineUseTheRecordedColumns) {
    TempDir dir;
    const std::string a = dir.File("a.cpp");
    WriteBytes(a, "f(1, 2); g(3);\r\n");
    RowList rows;
    rows.Append({"1", "f", "f_kx", kReplace, a, "1:0"});
    rows.Append({"2", "g", "g_kx", kReplace, a, "1:9"});  // moved by the first edit
    ASSERT_TRUE(Apply(rows, ListKind::Functions));
    EXPECT_EQ(ReadBytes(a), "f_kx(1, 2); g(3);//f\r\n");
}

TEST(ApplyListToSources, Utf8FilesGoThereAndBackByteForByte) {
    // An odd run of UTF-8 bytes right before the text the take-back removes: read as GBK the
    // run would take the comment's first byte.
    TempDir dir;
    const std::string a = dir.File("a.cpp");
    const std::string ni = "\xE4\xBD\xA0";
    const std::string original = "s = \"" + ni + "\"; //" + ni + "\nt = 1;";
    WriteBytes(a, original);
    RowList rows;
    rows.Append({"1025", kString, ni, kReplace, a, "1:4"});
    ASSERT_TRUE(Apply(rows, ListKind::Constants, CLike({'\n', 0})));
    EXPECT_EQ(ReadBytes(a), "s = GetValueStr(1025); //" + ni + "//\"" + ni + "\"\nt = 1;");
    rows.SetText(0, 3, "");
    ASSERT_TRUE(Apply(rows, ListKind::Constants, CLike({'\n', 0})));
    EXPECT_EQ(ReadBytes(a), original);
}

TEST(PlanListOnSources, ShowsWhatTheRewriteWritesAndWritesNothing) {
    TempDir dir;
    const std::string a = dir.File("a.cpp"), missing = dir.File("missing.cpp");
    const std::string original = "int n;\r\nn = 40;\r\ns = \"hi\";\r\n";
    WriteBytes(a, original);
    RowList rows;
    rows.Append({"1031", kNumber, "40", kReplace, a, "2:4"});
    rows.Append({"1040", kString, "hi", kReplace, a, "3:4"});
    rows.Append({"1050", kNumber, "1", kReplace, missing, "1:4"});
    Expected<RewritePlan> plan =
        PlanListOnSources(rows, ListKind::Constants, CLike(), FileSystem::Real());
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->files.size(), 1u);
    const SourceRewrite& file = plan->files[0];
    EXPECT_TRUE(file.changed());
    EXPECT_EQ(file.OriginalLine(1), "n = 40;");
    EXPECT_EQ(file.EditedLine(1), "n = GetValueInt(1031);//40");
    EXPECT_EQ(file.EditedLine(0), "int n;");
    EXPECT_EQ(file.EditedLine(9), "");
    ASSERT_EQ(plan->unreadableFiles.size(), 1u);
    EXPECT_EQ(plan->unreadableFiles[0].path, missing);
    // Nothing written, no backup; then the rewrite writes exactly the planned content.
    EXPECT_EQ(ReadBytes(a), original);
    EXPECT_FALSE(FileSystem::Real().Exists(a + "~"));
    const std::string planned = file.Content();
    ASSERT_TRUE(Apply(rows));
    EXPECT_EQ(ReadBytes(a), planned);
}

TEST(ApplyListToSources, KeepsEveryLinesOwnBreak) {
    TempDir dir;
    const std::string a = dir.File("a.cpp");
    struct Case {
        const char* name;
        LineBreak lineBreak;
        std::string before;
        const char* position;
        std::string after;
    };
    const Case cases[] = {
        {"a lone CR stays as it is",
         {'\r', '\n'},
         "a;\rn = 4;\r\nz",
         "2:4",
         "a;\rn = GetValueInt(9);//4\r\nz"},
        {"lone LF stays in the line",
         {'\r', '\n'},
         "a;\nn = 4;\r\n",
         "1:7",
         "a;\nn = GetValueInt(9);//4\r\n"},
        {"LF only", {'\n', 0}, "n = 4;\nz", "1:4", "n = GetValueInt(9);//4\nz"},
        {"a CR LF pair under LF is one break, kept",
         {'\n', 0},
         "n = 4;\r\nm;\n",
         "1:4",
         "n = GetValueInt(9);//4\r\nm;\n"},
        {"an LF file under CR LF is split at LF",
         {'\r', '\n'},
         "m;\nn = 4;\n",
         "2:4",
         "m;\nn = GetValueInt(9);//4\n"},
        {"no line break: zero bytes kept, none added",
         {0, 0},
         std::string("n = 4;\0z", 8),
         "1:4",
         std::string("n = GetValueInt(9);//4\0z", 24)},
    };
    for (const Case& c : cases) {
        WriteBytes(a, c.before);
        RowList rows;
        rows.Append({"9", kNumber, "4", kReplace, a, c.position});
        ASSERT_TRUE(Apply(rows, ListKind::Constants, CLike(c.lineBreak))) << c.name;
        EXPECT_EQ(ReadBytes(a), c.after) << c.name;
    }
}

}  // namespace
}  // namespace korvexer
