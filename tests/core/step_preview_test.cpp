// SPDX-License-Identifier: MIT
// Tests of the step preview: the lines of the chosen rows, before and after, as OK writes them.
#include "core/steps/step_preview.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/constants/constant_step.h"
#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/platform/path_case.h"
#include "core/rewrite/apply_list_to_sources.h"
#include "core/scanner/line_model.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

// A project of two files whose constants a record partly knows, opened in the constant step.
struct Project {
    TempDir dir;
    std::string a = dir.File("a.cpp");
    std::string b = dir.File("b.cpp");
    LanguageDefinition language = LoaderDefaults(0);
    FixedClock clock{1000};
    ConstantStep step{FileSystem::Real(), language, clock};
    RowList record{kMainColumnCount};
    std::vector<std::string> files{a, b};

    Project(const std::string& aText, const std::string& bText) {
        WriteBytes(a, aText);
        WriteBytes(b, bText);
        step.Open(record, &files, a, 1024);
    }
    StepPreview Preview(const std::vector<std::size_t>& chosen,
                        std::size_t limit = kPreviewRowLimit) {
        return PreviewRows(step.rows(), chosen, ListKind::Constants, language, FileSystem::Real(),
                           SourceEncoding::Automatic, limit);
    }
};

std::vector<std::size_t> AllRows(const RowList& rows) {
    std::vector<std::size_t> all;
    for (std::size_t row = 0; row < rows.size(); ++row) all.push_back(row);
    return all;
}

// The lines of `path` as the rewrite numbers them.
std::vector<std::string> LinesOf(const std::string& path, const LanguageDefinition& language) {
    const LineModel model = LoadSourceLines(FileSystem::Real(), path, language.carryreturn);
    std::vector<std::string> lines;
    for (std::size_t line = 0; line < model.LineCount(); ++line)
        lines.emplace_back(model.Line(line));
    return lines;
}

TEST(PreviewRows, ShowsWhatOkWritesAndWritesNothing) {
    const struct {
        const char* name;
        std::string a;
        std::string b;
        std::vector<std::size_t> replaced;  // rows marked "替换" before the preview
    } cases[] = {
        {"GBK CR LF", "x = \"abc\";\r\nn = 42; // n\r\n", "s = \"\xC4\xE3\xBA\xC3\";\r\n", {0, 2}},
        {"UTF-8 LF, no last break", "x = \"\xE4\xBD\xA0\\\"\";\nn = 42;", "t = 7;\n", {0, 1, 2}},
        {"nothing marked", "x = \"abc\";\r\n", "t = 7;\r\n", {}},
    };
    for (const auto& c : cases) {
        Project project(c.a, c.b);
        project.step.Replace(c.replaced);
        const StepPreview preview = project.Preview(AllRows(project.step.rows()));
        EXPECT_FALSE(preview.refused) << c.name;
        EXPECT_EQ(ReadBytes(project.a), c.a) << c.name;
        EXPECT_FALSE(test_support::PathExists(project.a + "~")) << c.name;

        RowList mainConstants(kMainColumnCount);
        ASSERT_TRUE(
            project.step.Accept(mainConstants, RowList(kMainColumnCount), project.files).accepted)
            << c.name;
        ASSERT_EQ(preview.lines.size(), project.step.rows().size()) << c.name;
        for (const PreviewLine& line : preview.lines) {
            const std::vector<std::string> written = LinesOf(line.file, project.language);
            ASSERT_LE(static_cast<std::size_t>(line.line), written.size()) << c.name;
            EXPECT_EQ(written[static_cast<std::size_t>(line.line) - 1], line.after) << c.name;
        }
        for (std::size_t row = 0; row < preview.lines.size(); ++row) {
            const bool marked =
                std::find(c.replaced.begin(), c.replaced.end(), row) != c.replaced.end();
            EXPECT_EQ(preview.lines[row].before != preview.lines[row].after, marked)
                << c.name << " row " << row;
        }
    }
}

TEST(PreviewRows, TakingBackGivesTheLiteralBackAndUnknownCallsStay) {
    Project project("x = GetValueStr(1100);//\"abc\"\r\ny = GetValueInt(1200);//5\r\n",
                    "t = 7;\r\n");
    // The record knows 1100 but not 1200; the user takes 1100 back.
    project.record.Append({"1100", std::string(texts::kTypeString), "abc", project.a, "1:4"});
    project.step.Open(project.record, &project.files, project.a, 1024);
    project.step.Revert({0});
    const StepPreview preview = project.Preview({0, 1});
    ASSERT_EQ(preview.lines.size(), 2u);
    EXPECT_EQ(preview.lines[0].before, "x = GetValueStr(1100);//\"abc\"");
    EXPECT_EQ(preview.lines[0].after, "x = \"abc\";");
    EXPECT_EQ(preview.lines[1].before, preview.lines[1].after);  // "未知": OK leaves it
    EXPECT_EQ(preview.lines[0].line, 1);
    EXPECT_EQ(preview.lines[0].file, project.a);
}

TEST(PreviewRows, PlansOnlyTheChosenFilesButKeepsOksRuleOfOneRowPerKey) {
    Project project("x = \"abc\";\r\n", "s = \"def\";\r\n");
    project.step.Replace({0, 1});
    // Both rows get the same index: OK takes up the first (in a.cpp) and leaves b.cpp alone.
    RowList rows = project.step.rows();
    rows.SetText(1, kStepKey, rows.Text(0, kStepKey));
    ASSERT_EQ(rows.Text(1, kStepFile), PathCaseKey(project.b));
    // a.cpp cannot be read: a preview of b.cpp alone never needs it.
    test_support::FaultyFileSystem fs;
    fs.FailOn(test_support::FaultyFileSystem::Step::Read, "a.cpp");
    const StepPreview preview = PreviewRows(rows, {1}, ListKind::Constants, project.language, fs,
                                            SourceEncoding::Automatic);
    EXPECT_TRUE(preview.unreadable.empty());
    ASSERT_EQ(preview.lines.size(), 1u);
    EXPECT_EQ(preview.lines[0].before, "s = \"def\";");
    EXPECT_EQ(preview.lines[0].after, preview.lines[0].before);

    Expected<ApplyOutcome> written =
        ApplyListToSources(rows, ListKind::Constants, project.language, FileSystem::Real());
    ASSERT_TRUE(written);
    EXPECT_EQ(written->changedFiles, std::vector<std::string>{project.a});
    EXPECT_EQ(ReadBytes(project.b), "s = \"def\";\r\n");
}

TEST(PreviewRows, CountsRowsWithoutPlaceAndPastTheLimitAndReportsRefusals) {
    std::string many;
    for (int i = 0; i < 5; ++i)
        many += "v" + std::to_string(i) + " = " + std::to_string(i + 1) + ";\r\n";
    Project project(many, "t = 7;\r\n");
    ConstantFields added{0, ConstantFields::Number, "9"};
    project.step.Add(added);  // row 6, in no file
    const std::vector<std::size_t> all = AllRows(project.step.rows());
    ASSERT_EQ(all.size(), 7u);

    StepPreview preview = project.Preview(all, 3);
    EXPECT_EQ(preview.lines.size(), 3u);
    EXPECT_EQ(preview.leftOut, 4u);
    preview = project.Preview({5, 6, 99});
    EXPECT_EQ(preview.lines.size(), 1u);
    EXPECT_EQ(preview.withoutPlace, 1u);

    project.step.ReplaceAll();
    project.language.onelineexplain.clear();  // OK would be refused
    preview = project.Preview({0});
    ASSERT_TRUE(preview.refused);
    EXPECT_EQ(preview.refused->kind, ErrorKind::NoCommentPrefix);
    EXPECT_TRUE(preview.lines.empty());

    // A file gone since the scan is named.
    project.language.onelineexplain = "//";
    std::remove(project.b.c_str());
    preview = project.Preview({5});
    ASSERT_EQ(preview.unreadable.size(), 1u);
    EXPECT_EQ(preview.unreadable[0].kind, ErrorKind::NotFound);
    EXPECT_TRUE(preview.lines.empty());
}

}  // namespace
}  // namespace korvexer
