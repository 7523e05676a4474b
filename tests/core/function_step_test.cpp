// SPDX-License-Identifier: MIT
// Tests of the function substitution dialog's model: merging, proposals, pairing, OK, Cancel.
#include "core/functions/function_step.h"

#include <gtest/gtest.h>

#include "core/functions/function_catalogue.h"
#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/steps/step_texts.h"
#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

const std::string kReplace(texts::kStateReplace);
const std::string kUnknown(texts::kStateUnknown);

struct Project {
    TempDir dir;
    std::string main = dir.File("main.cpp");
    LanguageDefinition language = LoaderDefaults(0);
    FunctionStep step{FileSystem::Real(), language};
    RowList mainFunctions{5};
    RowList mainConstants{5};

    explicit Project(
        const std::string& source = "x = foo(1, 2);\r\ny = toupper(s);\r\nz = strlen_kx(s);\r\n") {
        WriteBytes(main, source);
    }
    std::vector<Error> Open() { return step.Open(mainFunctions, nullptr, main); }
    StepAcceptOutcome Accept() { return step.Accept(mainFunctions, mainConstants, {main}); }
    const RowList& rows() const { return step.rows(); }
    std::size_t EntryNamed(const std::string& name) const {
        for (std::size_t entry = 0; entry < step.catalogue().size(); ++entry)
            if (CatalogueEntryName(step.catalogue()[entry]) == name) return entry;
        ADD_FAILURE() << "no entry " << name;
        return 0;
    }
};

std::vector<std::string> Column(const RowList& rows, std::size_t column) {
    std::vector<std::string> texts;
    for (std::size_t row = 0; row < rows.size(); ++row) texts.push_back(rows.Text(row, column));
    return texts;
}

TEST(FunctionStepOpen, WorksOnTheRowsTheCallerKeeps) {
    Project project;
    RowList kept(6);
    kept.Append({"stale"});
    FunctionStep step(FileSystem::Real(), project.language, kept);
    ASSERT_TRUE(step.Open(project.mainFunctions, nullptr, project.main).empty());
    EXPECT_EQ(&step.rows(), &kept);
    EXPECT_EQ(Column(kept, kStepName), (std::vector<std::string>{"foo", "toupper", ""}));
    ASSERT_TRUE(step.Pair(0, "abs_kx"));
    EXPECT_EQ(kept.Text(0, kStepState), kReplace);
    ASSERT_TRUE(step.Revert(0));
    EXPECT_EQ(kept.Text(0, kStepState), "");
}

TEST(FunctionStepOpen, MergesRecordRowsWhereTheirCallsAreAndAppendsTheRest) {
    Project project;
    project.mainFunctions.Append({"1", "toupper", "toupper_kx", project.main, "2:4"});
    // Its place is gone, but its file still calls its substitute: the call found is its own.
    project.mainFunctions.Append({"2", "gone", "strlen_kx", project.main, "9:4"});
    // No trimming: a trailing blank is another place.
    project.mainFunctions.Append({"3", "foo", "abs_kx", project.main, "1:4 "});
    ASSERT_TRUE(project.Open().empty());
    const RowList& rows = project.rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].columns, (std::vector<std::string>{"1", "foo", "", "", project.main, "1:4"}));
    EXPECT_EQ(rows[1].columns, (std::vector<std::string>{"2", "toupper", "toupper_kx", kReplace,
                                                         project.main, "2:4"}));
    EXPECT_EQ(rows[2].columns,
              (std::vector<std::string>{"3", "gone", "strlen_kx", kReplace, project.main, "3:4"}));
    EXPECT_EQ(rows[3].columns,
              (std::vector<std::string>{"4", "foo", "abs_kx", kReplace, project.main, "1:4 "}));
}

// Each record row takes the substitute call nearest its recorded line that no earlier row took,
// so rows of one substitute keep their order when lines are inserted above and between them.
TEST(FunctionStepOpen, RecordRowsOfOneSubstituteTakeTheNearestCalls) {
    Project project(
        "// new\r\n// new\r\na = strlen_kx(s);//strlen\r\n// new\r\nb = strlen_kx(t);//strlen\r\n"
        "c = strlen(u);\r\n");
    // Recorded before the three new lines; c's call was put back by hand.
    project.mainFunctions.Append({"1", "strlen", "strlen_kx", project.main, "1:4"});
    project.mainFunctions.Append({"2", "strlen", "strlen_kx", project.main, "2:4"});
    project.mainFunctions.Append({"3", "strlen", "strlen_kx", project.main, "6:4"});
    ASSERT_TRUE(project.Open().empty());
    const RowList& rows = project.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].columns, (std::vector<std::string>{"1", "strlen", "strlen_kx", kReplace,
                                                         project.main, "3:4"}));
    EXPECT_EQ(rows[1].columns, (std::vector<std::string>{"2", "strlen", "strlen_kx", kReplace,
                                                         project.main, "5:4"}));
    // The plain call of its own name at its place is its own.
    EXPECT_EQ(rows[2].columns, (std::vector<std::string>{"3", "strlen", "strlen_kx", kReplace,
                                                         project.main, "6:4"}));
}

TEST(FunctionStepCatalogue, ProposesTheEntryOfAClickedRowAndShowsItsText) {
    Project project;
    project.Open();
    const std::size_t toupper = project.EntryNamed("toupper_kx");
    EXPECT_EQ(project.step.ProposeEntry(1), toupper);
    EXPECT_EQ(project.step.ProposeEntry(2), project.EntryNamed("strlen_kx"));
    EXPECT_EQ(project.step.ProposeEntry(0), std::nullopt);  // no entry contains "foo"
    EXPECT_EQ(project.step.ProposeEntry(7), std::nullopt);
    EXPECT_EQ(project.step.EntryText(toupper).rfind("char *toupper_kx(char *lpstring);", 0), 0u);
    EXPECT_EQ(project.step.EntryText(kCatalogueSize), "");
}

TEST(FunctionStepPairing, ReplaceRevertAndToggle) {
    Project project;
    project.Open();
    const std::size_t toupper = project.EntryNamed("toupper_kx");
    // No entry and no substitute yet: nothing happens.
    EXPECT_FALSE(project.step.Replace(0, std::nullopt));
    EXPECT_EQ(project.rows().Text(0, kStepState), "");

    EXPECT_TRUE(project.step.Replace(1, toupper));
    EXPECT_EQ(project.rows().Text(1, kStepValue), "toupper_kx");
    EXPECT_EQ(project.rows().Text(1, kStepState), kReplace);
    EXPECT_TRUE(project.step.Revert(1));
    EXPECT_EQ(project.rows().Text(1, kStepValue), "toupper_kx");
    EXPECT_EQ(project.rows().Text(1, kStepState), "");
    EXPECT_TRUE(project.step.Replace(1, std::nullopt));  // marked again with its substitute
    EXPECT_EQ(project.rows().Text(1, kStepState), kReplace);

    // The double-click: "替换" is taken back without touching the substitute, empty is paired,
    // "未知" is left alone.
    const std::size_t abs = project.EntryNamed("abs_kx");
    EXPECT_TRUE(project.step.Toggle(1, abs));
    EXPECT_EQ(project.rows()[1].columns[kStepValue], "toupper_kx");
    EXPECT_EQ(project.rows().Text(1, kStepState), "");
    EXPECT_TRUE(project.step.Toggle(0, abs));
    EXPECT_EQ(project.rows().Text(0, kStepValue), "abs_kx");
    EXPECT_EQ(project.rows().Text(0, kStepState), kReplace);
    EXPECT_FALSE(project.step.Toggle(2, abs));
    EXPECT_EQ(project.rows().Text(2, kStepState), kUnknown);
    EXPECT_EQ(project.rows().Text(2, kStepValue), "strlen_kx");
}

TEST(FunctionStepAccept, RenumbersTheMainListAndRewritesTheCalls) {
    Project project("a = one(1);\r\nb = two(2);\r\nc = three(3);\r\nd = four(4);\r\n");
    for (int i = 1; i <= 5; ++i)
        project.mainFunctions.Append({std::to_string(i * 10), "old", "old_kx", "/nowhere", "1:1"});
    project.Open();
    // The five stale record rows were appended; drop them from the substitution.
    for (std::size_t row = 4; row < 9; ++row) project.step.Revert(row);
    project.step.Pair(0, "abs_kx");
    project.step.Pair(2, "atoi_kx");
    project.step.Pair(3, "atof_kx");
    StepAcceptOutcome outcome = project.Accept();
    ASSERT_TRUE(outcome.accepted);
    // The stale rows' file cannot be read: named, and kept in the record, after the new rows.
    ASSERT_TRUE(outcome.message);
    ASSERT_FALSE(outcome.message->failures.empty());
    EXPECT_EQ(outcome.message->failures[0].path, "/nowhere");
    ASSERT_EQ(project.mainFunctions.size(), 8u);
    EXPECT_EQ(Column(project.mainFunctions, 0),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(project.mainFunctions[1].columns,
              (std::vector<std::string>{"2", "three", "atoi_kx", project.main, "3:4"}));
    EXPECT_EQ(project.mainFunctions[7].columns,
              (std::vector<std::string>{"8", "old", "old_kx", "/nowhere", "1:1"}));
    EXPECT_EQ(ReadBytes(project.main),
              "a = abs_kx(1);//one\r\nb = two(2);\r\nc = atoi_kx(3);//three\r\nd = "
              "atof_kx(4);//four\r\n");

    // Taking every substitution back restores the calls; only the stale rows stay.
    FunctionStep again(FileSystem::Real(), project.language);
    again.Open(project.mainFunctions, nullptr, project.main);
    for (std::size_t row = 0; row < again.rows().size(); ++row) again.Revert(row);
    ASSERT_TRUE(again.Accept(project.mainFunctions, project.mainConstants, {}).accepted);
    EXPECT_EQ(project.mainFunctions.size(), 5u);
    EXPECT_EQ(Column(project.mainFunctions, 3), std::vector<std::string>(5, "/nowhere"));
    EXPECT_EQ(ReadBytes(project.main),
              "a = one(1);\r\nb = two(2);\r\nc = three(3);\r\nd = four(4);\r\n");
}

TEST(FunctionStepAccept, RefusesASubstituteTheRecordCannotHoldAndChangesNothing) {
    Project project;
    project.Open();
    project.step.Pair(0, std::string(256, 'k'));
    const std::string before = ReadBytes(project.main);
    StepAcceptOutcome outcome = project.Accept();
    EXPECT_FALSE(outcome.accepted);
    ASSERT_TRUE(outcome.message);
    EXPECT_NE(outcome.message->text.find(std::string(steptexts::kRowTooLongBegin) + "1" +
                                         std::string(steptexts::kRowTooLongField) +
                                         std::string(steptexts::kTitleSubstitute)),
              std::string::npos);
    EXPECT_EQ(ReadBytes(project.main), before);
    EXPECT_TRUE(project.mainFunctions.empty());
}

// A substitute call the record does not know, taken back: its name comes from its comment.
TEST(FunctionStepAccept, UnknownCallsComeBackWithTheNameTheirCommentHolds) {
    Project project(
        "a = strlen_kx(s);//strlen\r\nb = abs_kx(1);//fabs//iabs\r\nc = abs_kx(2);//abs//x\r\n"
        "d = atoi_kx(t);\r\n");
    project.Open();
    ASSERT_EQ(project.rows().size(), 4u);
    project.step.RevertUnknown();
    ASSERT_TRUE(project.Accept().accepted);
    EXPECT_EQ(ReadBytes(project.main),
              "a = strlen(s);\r\nb = abs_kx(1);//fabs//iabs\r\nc = abs(2);//x\r\n"
              "d = atoi_kx(t);\r\n");
    EXPECT_EQ(Column(project.rows(), kStepState),
              (std::vector<std::string>{"", kUnknown, "", kUnknown}));
    EXPECT_TRUE(project.mainFunctions.empty());
}

TEST(FunctionStepCancel, ChangesWithoutAcceptLeaveSourcesAndMainListAlone) {
    Project project;
    project.mainFunctions.Append({"1", "toupper", "toupper_kx", project.main, "2:4"});
    const std::string before = ReadBytes(project.main);
    project.Open();
    project.step.Revert(1);
    project.step.Pair(0, "abs_kx");
    EXPECT_EQ(ReadBytes(project.main), before);
    ASSERT_EQ(project.mainFunctions.size(), 1u);
    EXPECT_EQ(project.mainFunctions.Text(0, 2), "toupper_kx");
}

TEST(FindExactSubstitute, TakesOnlyTheEntryNamedAfterTheCall) {
    const std::vector<std::string> catalogue = SortedCatalogue();
    struct Case {
        const char* call;
        const char* substitute;  // "" for none
    };
    const Case cases[] = {
        {"", ""},
        {"::", ""},
        {"strlen", "strlen_kx"},
        {"StrLen", "strlen_kx"},
        {"::strlen", "strlen_kx"},
        {"_strlen", "strlen_kx"},
        {"::_toupper", "toupper_kx"},
        {"__strlen", ""},
        {"Copy", ""},  // the catalogue's CopyFile_kx merely contains it
        {"CopyFile", "CopyFile_kx"},
        {"messagebox", "MessageBox_kx"},
        {"strlen_kx", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        std::optional<std::size_t> entry = FindExactSubstitute(catalogue, c.call);
        EXPECT_EQ(entry ? CatalogueEntryName(catalogue[*entry]) : std::string(), c.substitute);
    }
}

}  // namespace
}  // namespace korvexer
