// SPDX-License-Identifier: MIT
// Tests of the constant list dialog's model: opening and merging, states, hand edits, OK, Cancel.
#include "core/constants/constant_step.h"

#include <gtest/gtest.h>

#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/platform/ms_random.h"
#include "core/platform/path_case.h"
#include "core/scanner/statement_extractor.h"
#include "core/record/record_file.h"
#include "core/steps/accept_step.h"
#include "core/steps/message_texts.h"
#include "core/steps/rows_left_message.h"
#include "core/steps/step_texts.h"
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

// The step of a hand-added index at second `seconds`.
std::uint32_t AddStep(std::int64_t seconds) {
    MsRandom random(static_cast<std::uint32_t>(seconds));
    return 1u + (static_cast<std::uint32_t>(random.Next()) * 5u) % 2000u;
}

// A project of one main file whose constants are a string, a number and an accessor call that the
// record may or may not know.
struct Project {
    TempDir dir;
    std::string main = dir.File("main.cpp");
    LanguageDefinition language = LoaderDefaults(0);
    FixedClock clock{1000};
    ConstantStep step{FileSystem::Real(), language, clock};
    RowList mainConstants{5};
    RowList mainFunctions{5};

    explicit Project(
        const std::string& source = "x = \"abc\";\r\nn = 42;\r\ny = GetValueInt(1500);//7\r\n") {
        WriteBytes(main, source);
    }
    std::vector<Error> Open(std::uint32_t counter = 1024) {
        return step.Open(mainConstants, nullptr, main, counter);
    }
    StepAcceptOutcome Accept() { return step.Accept(mainConstants, mainFunctions, {main}); }
    const RowList& rows() const { return step.rows(); }
};

std::vector<std::string> Column(const RowList& rows, std::size_t column) {
    std::vector<std::string> texts;
    for (std::size_t row = 0; row < rows.size(); ++row) texts.push_back(rows.Text(row, column));
    return texts;
}

TEST(ConstantStepOpen, TheWindowOpensItOnlyWithAMainSourceFile) {
    for (const char* empty : {"", "  \t"}) {
        std::optional<StepMessage> refused = ConstantStep::CheckOpening(empty);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->text, texts::kMainSourceEmpty);
        EXPECT_EQ(refused->caption, texts::kCaptionInformation);
    }
    EXPECT_FALSE(ConstantStep::CheckOpening(" main.cpp"));
}

TEST(ConstantStepOpen, ScansMainThenOtherFilesAndNumbersNewConstantsFromTheCounter) {
    Project project("a = 5;\r\n");
    const std::string other = project.dir.File("other.cpp");
    WriteBytes(other, "s = \"hi\";\r\n");
    const std::vector<std::string> files{project.main, other, project.dir.File("missing.cpp")};
    std::vector<Error> unreadable =
        project.step.Open(project.mainConstants, &files, project.main, 1024);
    ASSERT_EQ(unreadable.size(), 1u);
    ASSERT_EQ(project.rows().size(), 2u);
    EXPECT_EQ(project.rows()[0].columns,
              (std::vector<std::string>{"1625", kNumber, "5", "", project.main, "1:4"}));
    EXPECT_EQ(project.rows()[1].columns,
              (std::vector<std::string>{"2226", kString, "hi", "", PathCaseKey(other), "1:4"}));
    EXPECT_EQ(project.step.indexCounter(), 2226u);
}

TEST(ConstantStepOpen, WorksOnTheRowsTheCallerKeeps) {
    Project project;
    RowList kept(6);
    kept.Append({"stale"});
    ConstantStep step(FileSystem::Real(), project.language, project.clock, kept);
    step.Open(project.mainConstants, nullptr, project.main, 1024);
    EXPECT_EQ(&step.rows(), &kept);
    EXPECT_EQ(Column(kept, kStepValue), (std::vector<std::string>{"abc", "42", "7"}));
    step.ReplaceAll();
    EXPECT_EQ(kept.Text(1, kStepState), kReplace);
    ConstantFields added{0, ConstantFields::Number, "9"};
    step.Add(added);
    ASSERT_EQ(kept.size(), 4u);
    EXPECT_EQ(kept.Text(3, kStepValue), "9");
    step.Delete(added, std::nullopt);
    EXPECT_EQ(kept.size(), 3u);
}

TEST(ConstantStepOpen, MergesRecordRowsByPlaceElseByIndexAndAppendsTheRest) {
    Project project;
    // Known by its place (trailing blanks of file and position do not count), by its index (no
    // place), and a row whose place no longer holds a constant.
    project.mainConstants.Append({"1100", kString, "abc", project.main + "  ", "1:4 "});
    project.mainConstants.Append({"1500", kNumber, "7", "", ""});
    project.mainConstants.Append({"1300", kString, "gone", project.main, "9:4"});
    project.mainConstants.Append({"1400", kNumber, "3", "", ""});
    ASSERT_TRUE(project.Open(1400).empty());

    const RowList& rows = project.rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].columns,
              (std::vector<std::string>{"1100", kString, "abc", kReplace, project.main, "1:4"}));
    EXPECT_EQ(rows.Text(1, kStepState), "");  // n = 42 is new
    EXPECT_EQ(rows[2].columns,
              (std::vector<std::string>{"1500", kNumber, "7", kReplace, project.main, "3:4"}));
    EXPECT_EQ(rows[3].columns,
              (std::vector<std::string>{"1300", kString, "gone", kReplace, project.main, "9:4"}));
    EXPECT_EQ(rows[4].columns, (std::vector<std::string>{"1400", kNumber, "3", kReplace, "", ""}));
    EXPECT_EQ(rows.Image(3), kStringImage);
    EXPECT_EQ(rows.Image(4), kNumericImage);
}

// The merge follows the code: a line inserted at the top moves every replacement; a record row
// finds its accessor call by its index, else its literal where the calls around it moved, and
// never a row another record row took.
TEST(ConstantStepOpen, RecordRowsFollowTheirCallsAndLiteralsWhenLinesMoved) {
    Project project(
        "// one line more\r\na = 1;\r\nb = GetValueInt(1500);//1\r\nc = 0x40;\r\nd = 1;\r\n"
        "e = GetValueStr(1700);//\"s\"\r\n");
    // 2456 is the hexadecimal 0x40 (listed as 64), never rewritten; 1800's call was replaced by
    // its literal by hand; 2600's line was changed by hand; 1900 has no place.
    project.mainConstants.Append({"1500", kNumber, "1", project.main, "2:4"});
    project.mainConstants.Append({"2456", kNumber, "64", project.main, "3:4"});
    project.mainConstants.Append({"1800", kNumber, "1", project.main, "4:4"});
    project.mainConstants.Append({"1700", kString, "s", project.main, "5:4"});
    project.mainConstants.Append({"2600", kNumber, "9", project.main, "1:4"});
    project.mainConstants.Append({"1900", kNumber, "8", "", ""});
    project.mainConstants.Append({"1500", kNumber, "9", "", ""});
    project.Open(1900);
    const RowList& rows = project.rows();
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows.Text(0, kStepState), "");  // a = 1 is new: no literal of 1 was recorded there
    EXPECT_EQ(rows[1].columns,
              (std::vector<std::string>{"1500", kNumber, "1", kReplace, project.main, "3:4"}));
    EXPECT_EQ(rows[2].columns,
              (std::vector<std::string>{"2456", kNumber, "64", kReplace, project.main, "4:4"}));
    EXPECT_EQ(rows[3].columns,
              (std::vector<std::string>{"1800", kNumber, "1", kReplace, project.main, "5:4"}));
    EXPECT_EQ(rows[4].columns,
              (std::vector<std::string>{"1700", kString, "s", kReplace, project.main, "6:4"}));
    // Found nowhere: kept at its place moved as the call below it moved.
    EXPECT_EQ(rows[5].columns,
              (std::vector<std::string>{"2600", kNumber, "9", kReplace, project.main, "2:4"}));
    // 1500 again, without a place: its call is taken, so it gets a row of its own.
    EXPECT_EQ(rows[6].columns, (std::vector<std::string>{"1900", kNumber, "8", kReplace, "", ""}));
    EXPECT_EQ(rows[7].columns, (std::vector<std::string>{"1500", kNumber, "9", kReplace, "", ""}));
}

// A line inserted between a literal and the call above it: the literal moved as the call below.
TEST(ConstantStepOpen, ALiteralBelowAnInsertedLineMovesAsTheCallBelowIt) {
    Project project(
        "// top\r\nb = GetValueInt(1500);//1\r\n// middle\r\nc = 0x40;\r\n"
        "d = GetValueInt(1700);//2\r\n");
    project.mainConstants.Append({"1500", kNumber, "1", project.main, "1:4"});
    project.mainConstants.Append({"2456", kNumber, "64", project.main, "2:4"});
    project.mainConstants.Append({"1700", kNumber, "2", project.main, "3:4"});
    project.Open(1900);
    ASSERT_EQ(project.rows().size(), 3u);
    EXPECT_EQ(project.rows()[1].columns,
              (std::vector<std::string>{"2456", kNumber, "64", kReplace, project.main, "4:4"}));
}

TEST(ConstantStepOpen, NoRecordRowTakesARowAnEarlierOneTook) {
    Project project("a = 1;\r\n");
    // Forty appended rows make the list grow several times before the last record row, which
    // repeats the place of the first appended one: both are kept.
    for (int i = 0; i < 40; ++i)
        project.mainConstants.Append(
            {std::to_string(2000 + i), kNumber, "5", project.main, std::to_string(10 + i) + ":4"});
    project.mainConstants.Append({"3000", kString, "late", project.main, "10:4"});
    project.Open(3000);
    ASSERT_EQ(project.rows().size(), 42u);
    EXPECT_EQ(project.rows()[1].columns,
              (std::vector<std::string>{"2000", kNumber, "5", kReplace, project.main, "10:4"}));
    EXPECT_EQ(project.rows()[41].columns,
              (std::vector<std::string>{"3000", kString, "late", kReplace, project.main, "10:4"}));
}

TEST(ConstantStepOpen, NewIndicesStayAboveEveryIndexShown) {
    struct Case {
        const char* name;
        std::vector<std::string> recordIndices;
        std::uint32_t counter;
        std::uint32_t floor;  // the largest index the dialog shows besides the new ones
    };
    const Case cases[] = {
        {"accessor call unknown to the record", {}, 1024, 5000},
        {"record row above the counter", {"7000"}, 1024, 7000},
        {"counter above both", {"1200"}, 9000, 9000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Project project("a = 1;\r\nb = GetValueInt(5000);\r\nc = 2;\r\n");
        for (const std::string& index : c.recordIndices)
            project.mainConstants.Append({index, kNumber, "1", "", ""});
        ASSERT_TRUE(project.Open(c.counter).empty());
        std::vector<std::uint32_t> fresh;
        for (std::size_t row = 0; row < project.rows().size(); ++row)
            if (project.rows().Text(row, kStepState).empty())
                fresh.push_back(
                    static_cast<std::uint32_t>(std::stoul(project.rows().Text(row, kStepKey))));
        ASSERT_EQ(fresh.size(), 2u);
        // One second, one step: 1 + 5r, at most 996.
        const std::uint32_t step = fresh[0] - c.floor;
        EXPECT_GT(fresh[0], c.floor);
        EXPECT_EQ(step % 5, 1u);
        EXPECT_LE(step, 996u);
        EXPECT_EQ(fresh[1], fresh[0] + step);
        EXPECT_EQ(project.step.indexCounter(), fresh[1]);

        ConstantFields fields{0, ConstantFields::Number, "9"};
        ASSERT_TRUE(project.step.Add(fields).changed);
        EXPECT_GT(fields.index, fresh[1]);
    }
}

TEST(ConstantStepStates, ButtonsChangeTheRowsTheyShould) {
    Project project;
    project.Open();  // rows: "abc" empty, 42 empty, 1500 "未知"
    project.step.Replace({0, 2, 99});
    EXPECT_EQ(Column(project.rows(), kStepState),
              (std::vector<std::string>{kReplace, "", kReplace}));
    project.step.Revert({0, 2});
    EXPECT_EQ(Column(project.rows(), kStepState), (std::vector<std::string>{"", "", ""}));

    Project unknown;
    unknown.Open();
    unknown.step.ReplaceAll();
    EXPECT_EQ(Column(unknown.rows(), kStepState),
              (std::vector<std::string>{kReplace, kReplace, kUnknown}));
    unknown.step.Revert({1});
    unknown.step.RevertAll();
    EXPECT_EQ(Column(unknown.rows(), kStepState), (std::vector<std::string>{"", "", kUnknown}));
}

TEST(ConstantStepEdit, LoadFieldsReadsIndexTypeAndValue) {
    Project project;
    project.Open();
    std::optional<ConstantFields> fields = project.step.LoadFields(0);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->index, std::stoul(project.rows().Text(0, kStepKey)));
    EXPECT_EQ(fields->type, ConstantFields::String);
    EXPECT_EQ(fields->value, "abc");
    EXPECT_EQ(project.step.LoadFields(1)->type, ConstantFields::Number);
    EXPECT_FALSE(project.step.LoadFields(3));
}

TEST(ConstantStepEdit, AddRefusesAnEmptyNumberAndNormalisesNumbers) {
    Project project("");
    project.Open(2000);
    ConstantFields empty{0, ConstantFields::Number, "   "};
    StepEditOutcome refused = project.step.Add(empty);
    EXPECT_FALSE(refused.changed);
    ASSERT_TRUE(refused.message);
    EXPECT_EQ(refused.message->text, steptexts::kNumericValueEmpty);
    EXPECT_EQ(refused.message->caption, texts::kCaptionSystem);
    EXPECT_EQ(refused.focus, StepField::Value);
    EXPECT_TRUE(project.rows().empty());

    struct Case {
        int type;
        const char* typed;
        const char* stored;
    };
    const Case cases[] = {{ConstantFields::Number, "0x1F", "0"},
                          {ConstantFields::Number, "12abc", "12"},
                          {ConstantFields::Number, "  -7", "-7"},
                          {ConstantFields::String, "  two words ", "two words "},
                          {ConstantFields::String, "", ""}};
    std::uint32_t counter = 2000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ConstantFields fields{0, c.type, c.typed};
        StepEditOutcome added = project.step.Add(fields);
        EXPECT_TRUE(added.changed);
        EXPECT_FALSE(added.message);
        counter += AddStep(1000);
        EXPECT_EQ(fields.index, counter);
        EXPECT_EQ(project.step.indexCounter(), counter);
        EXPECT_EQ(fields.value, c.stored);
        const std::size_t row = project.rows().size() - 1;
        EXPECT_EQ(project.rows()[row].columns,
                  (std::vector<std::string>{std::to_string(counter),
                                            c.type == ConstantFields::String ? kString : kNumber,
                                            c.stored, kReplace, "", ""}));
    }
    EXPECT_EQ(AddStep(1000), 521u);  // so a counter of 2000 gives 2521, as the rule says
}

TEST(ConstantStepEdit, ModifyChangesTheRowWithTheIndex) {
    Project project;
    project.Open();
    ConstantFields fields = *project.step.LoadFields(0);
    fields.type = ConstantFields::Number;
    fields.value = "12abc";
    EXPECT_TRUE(project.step.Modify(fields).changed);
    EXPECT_EQ(fields.value, "12");
    EXPECT_EQ(project.rows().Text(0, kStepName), kNumber);
    EXPECT_EQ(project.rows().Text(0, kStepValue), "12");
    EXPECT_EQ(project.rows().Text(0, kStepState), kReplace);

    ConstantFields emptyNumber{fields.index, ConstantFields::Number, ""};
    EXPECT_TRUE(project.step.Modify(emptyNumber).changed);  // not refused here
    EXPECT_EQ(project.rows().Text(0, kStepValue), "0");

    const RowList before = project.rows();
    ConstantFields nobody{7, ConstantFields::String, "x"};
    EXPECT_FALSE(project.step.Modify(nobody).changed);
    EXPECT_EQ(project.rows().rows().size(), before.size());
    EXPECT_EQ(Column(project.rows(), kStepValue), Column(before, kStepValue));
}

TEST(ConstantStepEdit, DeleteByIndexElseSelectionAndSelectsTheNextRow) {
    struct Case {
        const char* name;
        bool byIndex;
        std::optional<std::size_t> selected;
        std::optional<std::size_t> deleted;
        std::vector<std::string> valuesLeft;
        std::optional<std::size_t> selectedAfter;
    };
    const Case cases[] = {
        {"index of the middle row", true, std::nullopt, 1, {"abc", "7"}, 1},
        {"index wins over the selection", true, 0, 1, {"abc", "7"}, 1},
        {"selected last row", false, 2, 2, {"abc", "42"}, 0},
        {"selected first row", false, 0, 0, {"42", "7"}, 0},
        {"unknown index, nothing selected",
         false,
         std::nullopt,
         std::nullopt,
         {"abc", "42", "7"},
         std::nullopt},
        {"unknown index, selection past the end",
         false,
         5,
         std::nullopt,
         {"abc", "42", "7"},
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Project project;
        project.Open();
        ConstantFields fields{7, ConstantFields::String, ""};
        if (c.byIndex) fields.index = project.step.LoadFields(1)->index;
        EXPECT_EQ(project.step.RowToDelete(fields, c.selected), c.deleted);
        EXPECT_EQ(project.step.Delete(fields, c.selected), c.selectedAfter);
        EXPECT_EQ(Column(project.rows(), kStepValue), c.valuesLeft);
    }
    Project single("x = 1;\r\n");
    single.Open();
    EXPECT_EQ(single.step.Delete({0, 0, ""}, 0), std::nullopt);
    EXPECT_TRUE(single.rows().empty());
}

TEST(ConstantStepAccept, OrdersTheMainListByIndexAndRewritesTheSources) {
    Project project("a = 5;\r\ns = \"hi\";\r\nt = 6;\r\n");
    // A record row without a place at an index below the scanned ones, and one at the same index
    // as a hand-added row can never get (hand rows go above): equal indices keep dialog order.
    project.mainConstants.Append({"1030", kNumber, "8", "", ""});
    project.Open(1024);
    project.step.Replace({0, 1});  // t = 6 stays
    ConstantFields handRow{0, ConstantFields::String, "hand"};
    project.step.Add(handRow);
    const std::string idxA = project.rows().Text(0, kStepKey);
    const std::string idxS = project.rows().Text(1, kStepKey);

    // The plan is what OK then writes, and writes nothing itself.
    const std::string before = ReadBytes(project.main);
    StepPlanOutcome plan =
        PlanStep(project.rows(), ListKind::Constants, project.language, FileSystem::Real(),
                 project.step.WouldBe(project.mainFunctions, {project.main}));
    ASSERT_TRUE(plan.accepted);
    ASSERT_EQ(plan.plan.files.size(), 1u);
    EXPECT_EQ(ReadBytes(project.main), before);
    EXPECT_FALSE(test_support::PathExists(project.main + "~"));

    StepAcceptOutcome outcome = project.Accept();
    ASSERT_TRUE(outcome.accepted);
    EXPECT_FALSE(outcome.message);
    EXPECT_EQ(plan.plan.files[0].Content(), ReadBytes(project.main));
    EXPECT_EQ(Column(project.mainConstants, 0),
              (std::vector<std::string>{"1030", idxA, idxS, std::to_string(handRow.index)}));
    EXPECT_EQ(project.mainConstants[1].columns,
              (std::vector<std::string>{idxA, kNumber, "5", project.main, "1:4"}));
    EXPECT_EQ(project.mainConstants.Image(2), 0);  // string rows of the main list show image 0
    EXPECT_EQ(project.mainConstants.Image(1), 1);
    EXPECT_EQ(ReadBytes(project.main), "a = GetValueInt(" + idxA + ");//5\r\ns = GetValueStr(" +
                                           idxS + ");//\"hi\"\r\nt = 6;\r\n");
    EXPECT_EQ(outcome.files.changedFiles, (std::vector<std::string>{project.main}));
}

TEST(ConstantStepAccept, EqualIndicesKeepDialogOrder) {
    Project project("");
    project.mainConstants.Append({"1500", kString, "first", "", ""});
    project.mainConstants.Append({"1200", kString, "low", "", ""});
    project.mainConstants.Append({"1500", kString, "second", "", ""});
    project.Open();
    // The second "1500" row finds the first one's row taken: it keeps a row of its own.
    ASSERT_EQ(project.rows().size(), 3u);
    ConstantFields dup{0, ConstantFields::String, "again"};
    project.step.Add(dup);
    ConstantFields modified{dup.index, ConstantFields::String, "again"};
    project.step.Modify(modified);
    ASSERT_TRUE(project.Accept().accepted);
    EXPECT_EQ(Column(project.mainConstants, 2),
              (std::vector<std::string>{"low", "first", "second", "again"}));
}

TEST(ConstantStepAccept, RefusesWhatTheRecordCannotHoldAndChangesNothing) {
    Project project;
    project.mainConstants.Append({"1100", kString, "abc", project.main, "1:4"});
    project.Open();
    project.step.ReplaceAll();
    ConstantFields longValue{0, ConstantFields::String, std::string(300, 'v')};
    project.step.Add(longValue);
    const std::string sourceBefore = ReadBytes(project.main);
    const RowList mainBefore = project.mainConstants;

    // The measure names each long field; the plan is refused alike.
    StepPlanOutcome plan =
        PlanStep(project.rows(), ListKind::Constants, project.language, FileSystem::Real(),
                 project.step.WouldBe(project.mainFunctions, {project.main}));
    EXPECT_FALSE(plan.accepted);
    ASSERT_EQ(plan.limits.longFields.size(), 1u);
    EXPECT_EQ(plan.limits.longFields[0].row, 3u);
    EXPECT_EQ(plan.limits.longFields[0].column, std::size_t{kStepValue});
    EXPECT_EQ(plan.limits.longFields[0].bytes, 300u);

    StepAcceptOutcome outcome = project.Accept();
    EXPECT_FALSE(outcome.accepted);
    ASSERT_TRUE(outcome.message);
    // Row 4 of the dialog: the three scanned rows come first.
    EXPECT_NE(outcome.message->text.find(std::string(steptexts::kRowTooLongBegin) + "4" +
                                         std::string(steptexts::kRowTooLongField) +
                                         std::string(steptexts::kTitleValue)),
              std::string::npos);
    EXPECT_NE(outcome.message->text.find("300"), std::string::npos);
    EXPECT_EQ(ReadBytes(project.main), sourceBefore);
    EXPECT_FALSE(test_support::ReadBytes(project.main + "~").size());
    EXPECT_EQ(Column(project.mainConstants, 0), Column(mainBefore, 0));
}

TEST(ConstantStepAccept, RefusesAListLongerThanARecordSection) {
    // About 500 rows of 200-byte values make more than 102,409 bytes.
    std::string source;
    for (int line = 0; line < 500; ++line) source += "s = \"" + std::string(200, 'q') + "\";\r\n";
    Project project(source);
    project.Open();
    project.step.ReplaceAll();
    // Leaving out the rows past the section is what makes the list fit, and no fewer.
    RecordLists wouldBe = project.step.WouldBe(project.mainFunctions, {project.main});
    const RecordLimitCheck check =
        MeasureRecordLimits(project.rows(), ListKind::Constants, wouldBe);
    EXPECT_GT(check.sectionBytes, kRecordSectionLimit);
    ASSERT_GT(check.rowsPastSection, 0u);
    ASSERT_LT(check.rowsPastSection, 500u);
    for (std::size_t kept : {500 - check.rowsPastSection, 501 - check.rowsPastSection}) {
        RecordLists part = wouldBe;
        while (part.constants.size() > kept) part.constants.Remove(part.constants.size() - 1);
        EXPECT_EQ(MeasureRecordLimits(RowList(6), ListKind::Constants, part).fits(),
                  kept == 500 - check.rowsPastSection);
    }
    StepAcceptOutcome outcome = project.Accept();
    EXPECT_FALSE(outcome.accepted);
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text.find(steptexts::kListTooLongBegin), 0u);
    EXPECT_EQ(ReadBytes(project.main), source);
    EXPECT_TRUE(project.mainConstants.empty());
}

TEST(ConstantStepAccept, AFileThatCannotBeWrittenKeepsItsRecordRowsAndIsNamed) {
    TempDir dir;
    const std::string a = dir.File("a.cpp"), b = dir.File("b.cpp");
    WriteBytes(a, "x = 1;\r\n");
    WriteBytes(b, "y = 2;\r\nz = GetValueInt(1100);//3\r\n");
    const LanguageDefinition language = LoaderDefaults(0);
    FixedClock clock(1000);
    FaultyFileSystem fs;
    fs.FailOn(FaultyFileSystem::Step::Rename, "b.cpp");
    ConstantStep step(fs, language, clock);
    // The record names b.cpp as the scan of the source-file list does.
    const std::string bRow = PathCaseKey(b);
    RowList mainConstants(5);
    mainConstants.Append({"1100", kNumber, "3", bRow, "2:4"});
    const std::vector<std::string> files{a, b};
    step.Open(mainConstants, &files, a, 1100);
    step.ReplaceAll();
    step.Revert({2});  // take 1100 back in b.cpp, which fails

    StepAcceptOutcome outcome = step.Accept(mainConstants, RowList(5), files);
    ASSERT_TRUE(outcome.accepted);
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text, steptexts::kFilesNotWritten);
    ASSERT_EQ(outcome.message->failures.size(), 1u);  // b.cpp alone
    EXPECT_EQ(outcome.message->failures[0].path, PathCaseKey(b));
    EXPECT_EQ(ReadBytes(b), "y = 2;\r\nz = GetValueInt(1100);//3\r\n");
    // a.cpp changed and is recorded; b.cpp did not, and the record still says what it holds.
    ASSERT_EQ(mainConstants.size(), 2u);
    EXPECT_EQ(mainConstants[0].columns,
              (std::vector<std::string>{"1100", kNumber, "3", bRow, "2:4"}));
    EXPECT_EQ(mainConstants.Text(1, 3), a);
}

// A take-back after hand edits: what comes back comes back, a line changed by hand is named and
// stays in the record (its call may still be in the source), a literal that was never rewritten
// (hexadecimal) is forgotten, and a missing file's rows are kept.
TEST(ConstantStepAccept, ATakeBackKeepsAndNamesWhatItCouldNotTakeBack) {
    Project project("c = 35;\r\nh = 0x40;\r\nd = GetValueInt(1700);//7\r\n");
    const std::string missing = project.dir.File("missing.cpp");
    project.mainConstants.Append({"1700", kNumber, "7", project.main, "3:4"});
    project.mainConstants.Append({"1800", kNumber, "5", missing, "1:4"});
    project.mainConstants.Append({"1955", kNumber, "3", project.main, "1:4"});
    project.mainConstants.Append({"2456", kNumber, "64", project.main, "2:4"});
    project.Open(2456);
    project.step.RevertAll();
    StepAcceptOutcome outcome = project.Accept();
    ASSERT_TRUE(outcome.accepted);
    EXPECT_EQ(ReadBytes(project.main), "c = 35;\r\nh = 0x40;\r\nd = 7;\r\n");
    EXPECT_EQ(Column(project.mainConstants, 0), (std::vector<std::string>{"1800", "1955"}));
    EXPECT_EQ(project.mainConstants[1].columns,
              (std::vector<std::string>{"1955", kNumber, "3", project.main, "1:4"}));
    std::vector<std::pair<std::string, RowSkipReason>> named;
    for (const SkippedRow& skipped : outcome.files.skippedRows)
        named.emplace_back(project.rows().Text(skipped.row, kStepKey), skipped.reason);
    EXPECT_EQ(named,
              (std::vector<std::pair<std::string, RowSkipReason>>{
                  {"1800", RowSkipReason::FileUnreadable}, {"1955", RowSkipReason::TextNotThere}}));
    ASSERT_TRUE(outcome.message);
    const std::string& text = outcome.message->text;
    // The rows first; the files after, their failures worded by the front end.
    EXPECT_EQ(text.find(steptexts::kRowsLeftHead), 0u);
    EXPECT_NE(text.find(steptexts::kFilesNotWritten), std::string::npos);
    ASSERT_EQ(outcome.message->failures.size(), 1u);
    EXPECT_EQ(outcome.message->failures[0].path, missing);
    EXPECT_NE(text.find("1955 " + kNumber + " 3 " + project.main + " 1:4"), std::string::npos);
    EXPECT_NE(text.find(steptexts::kLeftTextNotThere), std::string::npos);
    EXPECT_EQ(text.find("2456"), std::string::npos);
}

// Accessor calls the record does not know are taken back with the literal of their comment, but
// only where the comment plainly holds a whole literal after the call.
TEST(ConstantStepAccept, UnknownCallsComeBackOnlyWithTheLiteralTheirCommentHolds) {
    Project project(
        "u = GetValueStr(1500);//\"http://a\"\r\nv = GetValueStr(1600); // note//\"b\"\r\n"
        "w = GetValueInt(1700);\r\nx = GetValueInt(1800);//12\r\ny = GetValueInt(1900);//1x\r\n");
    project.Open(1900);
    ASSERT_EQ(project.rows().size(), 5u);
    project.step.RevertUnknown();
    ASSERT_TRUE(project.Accept().accepted);
    EXPECT_EQ(ReadBytes(project.main),
              "u = \"http://a\";\r\nv = GetValueStr(1600); // note//\"b\"\r\n"
              "w = GetValueInt(1700);\r\nx = 12;\r\ny = GetValueInt(1900);//1x\r\n");
    EXPECT_EQ(Column(project.rows(), kStepState),
              (std::vector<std::string>{"", kUnknown, kUnknown, "", kUnknown}));
    EXPECT_TRUE(project.mainConstants.empty());
}

TEST(RowsLeftMessage, NamesTwentyRowsAndCountsTheRest) {
    RowList rows(kStepColumnCount);
    ApplyOutcome outcome;
    for (std::size_t row = 0; row < 25; ++row) {
        rows.Append({std::to_string(row), kNumber, "1", "", "a.cpp", "1:1"});
        outcome.skippedRows.push_back(
            {row, true, RowSkipReason::TextNotThere, "a.cpp", std::to_string(row + 1) + ":4"});
    }
    std::optional<StepMessage> message = RowsLeftMessage(rows, outcome);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text.find(steptexts::kRowsLeftHead), 0u);
    EXPECT_NE(message->text.find("a.cpp 20:4"), std::string::npos);
    EXPECT_EQ(message->text.find("a.cpp 21:4"), std::string::npos);
    EXPECT_NE(message->text.find(std::string(steptexts::kRowsLeftMoreBegin) + "5"),
              std::string::npos);
    EXPECT_FALSE(RowsLeftMessage(rows, ApplyOutcome{}));
}

TEST(ConstantStepCancel, EditsWithoutAcceptLeaveSourcesAndMainListAlone) {
    Project project;
    project.mainConstants.Append({"1100", kString, "abc", project.main, "1:4"});
    const std::string sourceBefore = ReadBytes(project.main);
    project.Open();
    project.step.ReplaceAll();
    ConstantFields fields{0, ConstantFields::Number, "5"};
    project.step.Add(fields);
    project.step.Delete({1100, 0, ""}, std::nullopt);
    // The dialog is closed here without OK: the model is simply dropped.
    EXPECT_EQ(ReadBytes(project.main), sourceBefore);
    ASSERT_EQ(project.mainConstants.size(), 1u);
    EXPECT_EQ(project.mainConstants.Text(0, 0), "1100");
}

}  // namespace
}  // namespace korvexer

namespace korvexer {
namespace {

TEST(ConstantStepSourceEncoding, TheProjectsChoiceReadsTheScanTheTextsAndTheRewrite) {
    TempDir dir;
    const std::string utf8 = PathCaseKey(dir.File("u.cpp")), gbk = PathCaseKey(dir.File("g.cpp"));
    const std::string utf8Text = "b = \"\xE5\xA5\xBD\";\r\n";  // "好" in UTF-8
    const std::string gbkText = "c = \"\xC4\xE3\";\r\n";       // "你" in GBK
    WriteBytes(utf8, utf8Text);
    WriteBytes(gbk, gbkText);
    const LanguageDefinition language = LoaderDefaults(0);
    FixedClock clock(1000);
    using Kind = ScanNotice::Kind;
    const struct {
        SourceEncoding choice;
        TextEncoding utf8File, gbkFile;
        std::vector<std::string> undecodable;
    } cases[] = {
        {SourceEncoding::Automatic, TextEncoding::Utf8, TextEncoding::Gbk, {}},
        {SourceEncoding::Gbk, TextEncoding::Gbk, TextEncoding::Gbk, {utf8}},
        {SourceEncoding::Utf8, TextEncoding::Utf8, TextEncoding::Utf8, {gbk}},
    };
    for (const auto& c : cases) {
        ConstantStep step(FileSystem::Real(), language, clock);
        step.SetSourceEncoding(c.choice);
        const std::vector<std::string> files{utf8, gbk};
        step.Open(RowList(kMainColumnCount), &files, utf8, 1024);
        ASSERT_EQ(step.rows().size(), 2u);
        EXPECT_EQ(step.sources().EncodingOf(utf8), c.utf8File);
        EXPECT_EQ(step.sources().EncodingOf(gbk), c.gbkFile);
        std::vector<std::string> undecodable;
        for (const ScanNotice& notice : step.sources().notices())
            if (notice.kind == Kind::Undecodable) undecodable.push_back(notice.path);
        EXPECT_EQ(undecodable, c.undecodable);
        EXPECT_EQ(step.sources().NoticeLines().size(), c.undecodable.size());

        // Protected and taken back under the same choice: every byte as it was.
        RowList mainConstants(kMainColumnCount);
        step.ReplaceAll();
        ASSERT_TRUE(step.Accept(mainConstants, RowList(kMainColumnCount), files).accepted);
        EXPECT_NE(ReadBytes(gbk), gbkText);
        step.RevertAll();
        ASSERT_TRUE(step.Accept(mainConstants, RowList(kMainColumnCount), files).accepted);
        EXPECT_EQ(ReadBytes(utf8), utf8Text);
        EXPECT_EQ(ReadBytes(gbk), gbkText);
    }
}

}  // namespace
}  // namespace korvexer
