// SPDX-License-Identifier: MIT
// Tests of the Workbench's save button and of the record write after a step: validation order,
// what is written where, and what a failing write leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/workbench.h"
#include "core/app/workbench_texts.h"
#include "tests/core/workbench_test_fixture.h"

namespace korvexer::test_support {
namespace {

using WorkbenchSave = WorkbenchTest;
using WorkbenchSaveRecordAfterStep = WorkbenchTest;

TEST_F(WorkbenchSave, StopsAtTheFirstEmptyFieldInOrderWithItsMessageAndFocus) {
    struct Case {
        WorkbenchForm form;
        std::string_view text;
        std::string_view caption;
        WorkbenchField focus;
    };
    const std::vector<Case> cases = {
        {{" \t", "", 0, "", ""},
         texts::kCompanyEmpty,
         texts::kCaptionSystem,
         WorkbenchField::Company},
        {{"Acme", "  ", 0, "", ""},
         texts::kProductEmpty,
         texts::kCaptionSystem,
         WorkbenchField::Product},
        {{"Acme", "P1", 0, "   ", App()},
         texts::kMainSourceEmpty,
         texts::kCaptionInformation,
         WorkbenchField::MainSourceFile},
        {{"Acme", "P1", 0, Main(), " "},
         texts::kApplicationEmpty,
         texts::kCaptionSystem,
         WorkbenchField::ApplicationFile},
    };
    for (const Case& c : cases) {
        Workbench workbench(m_fs, m_store, m_rules);
        workbench.Initialise();
        workbench.ChangeLanguage(2);  // something unsaved
        WorkbenchOutcome outcome = workbench.Save(c.form);
        ASSERT_TRUE(outcome.message) << c.text;
        EXPECT_EQ(outcome.message->text, c.text);
        EXPECT_EQ(outcome.message->caption, c.caption);
        EXPECT_EQ(outcome.message->icon, MessageIcon::Information);
        EXPECT_EQ(outcome.message->buttons, MessageButtons::Ok);
        EXPECT_EQ(outcome.focus, c.focus);
        EXPECT_FALSE(outcome.completed);
        EXPECT_TRUE(workbench.dirty());
        EXPECT_FALSE(m_fs.Exists(m_store.path())) << "nothing is stored before the checks pass";
        EXPECT_FALSE(m_fs.Exists(RecordBesideApp()));
    }
}

TEST_F(WorkbenchSave, RefusesFieldsLongerThanTheirByteLimitsBeforeTakingAnything) {
    const std::string chinese15(30, '\xB0');  // 15 two-byte characters: exactly 30 bytes
    const std::string longPath = "/" + std::string(256, 'p');
    struct Case {
        WorkbenchForm form;
        WorkbenchField focus;  // None: accepted
        std::string limit;
    };
    const std::vector<Case> cases = {
        {{chinese15 + "\xB0\xA1", "P1", 0, Main(), App()}, WorkbenchField::Company, "30"},
        {{"Acme", "P1", 0, longPath, longPath}, WorkbenchField::ApplicationFile, "256"},
        {{"Acme", "P1", 0, longPath, App()}, WorkbenchField::MainSourceFile, "256"},
        {{chinese15, "P1", 0, Main(), App()}, WorkbenchField::None, ""},
    };
    for (const Case& c : cases) {
        Workbench workbench(m_fs, m_store, m_rules);
        workbench.Initialise();
        WorkbenchOutcome outcome = workbench.Save(c.form);
        EXPECT_EQ(outcome.focus, c.focus) << c.limit;
        if (c.focus == WorkbenchField::None) {
            EXPECT_TRUE(outcome.completed);
            continue;
        }
        ASSERT_TRUE(outcome.message);
        EXPECT_NE(outcome.message->text.find(c.limit), std::string::npos);
        EXPECT_EQ(workbench.Form().company, "") << "nothing taken from the form";
    }
}

TEST_F(WorkbenchSave, StoresTheProjectWritesTheRecordAndItsCopyAndClearsDirty) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    ASSERT_TRUE(workbench.AddSourceFiles({m_dir.File("src/util.cpp")}).refreshForm);
    ASSERT_TRUE(workbench.dirty());
    workbench.constants().Append({"1025", "\xCA\xFD\xD6\xB5", "7", Main(), "2:4"});

    WorkbenchForm form{"  Acme", " P1", 3, "  " + Main(), " " + App()};
    WorkbenchOutcome outcome = workbench.Save(form);
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text, texts::kSaved);
    EXPECT_EQ(outcome.message->caption, texts::kCaptionSystem);
    EXPECT_TRUE(outcome.completed);
    EXPECT_TRUE(outcome.refreshForm);
    EXPECT_FALSE(workbench.dirty());

    // Blanks at the start are gone from what is stored.
    EXPECT_EQ(m_store.GetString("Common Data", "CompanyID", "-"), "Acme");
    EXPECT_EQ(m_store.GetString("Common Data", "ProductID", "-"), "P1");
    EXPECT_EQ(m_store.GetInt("Acme P1", "LanguageIndex", -1), 3);
    EXPECT_EQ(m_store.GetString("Acme P1", "MainPrgFile", "-"), Main());
    EXPECT_EQ(m_store.GetString("Acme P1", "Application", "-"), App());
    EXPECT_EQ(m_store.GetString("Acme", "ProductIDList", "-"), "P1;");
    EXPECT_EQ(workbench.products().entries, std::vector<std::string>{"P1"});
    EXPECT_EQ(workbench.Form().product, "P1");

    RecordLists read;
    std::int32_t counter = 0;
    ASSERT_EQ(ReadRecordFile(m_fs, RecordBesideApp(), read, counter), RecordReadResult::Complete);
    EXPECT_EQ(counter, 1025);
    EXPECT_EQ(read.sourceFiles, std::vector<std::string>{m_dir.File("src/util.cpp")});
    EXPECT_EQ(ReadBytes(RecordBesideMain()), ReadBytes(RecordBesideApp()));
}

TEST_F(WorkbenchSave, SavingProjectsInTurnKeepsTheMostRecentFirst) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    ASSERT_TRUE(workbench.Save(ValidForm()).completed);
    WorkbenchForm other = ValidForm();
    other.product = "P2";
    ASSERT_TRUE(workbench.Save(other).completed);
    ASSERT_TRUE(workbench.Save(ValidForm()).completed);
    EXPECT_EQ(m_store.GetString("Acme", "ProductIDList", "-"), "P1;P2;");
    EXPECT_EQ(workbench.products().entries, (std::vector<std::string>{"P1", "P2"}));
}

TEST_F(WorkbenchSave, ARecordFileThatCannotBeWrittenKeepsDirtyAndNamesTheFile) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    workbench.ChangeLanguage(1);
    m_fs.FailOn(Step::Write, "demo.con");
    WorkbenchOutcome outcome = workbench.Save(ValidForm());
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text, texts::kSaveRecordFailed);
    // The failure goes with the message for the front end to word: the file and why.
    ASSERT_EQ(outcome.message->failures.size(), 1u);
    EXPECT_EQ(outcome.message->failures[0].path, RecordBesideApp());
    EXPECT_EQ(outcome.message->failures[0].kind, ErrorKind::DiskFull);
    EXPECT_EQ(outcome.message->caption, texts::kCaptionSystem);
    EXPECT_FALSE(outcome.completed);
    EXPECT_TRUE(workbench.dirty());
    EXPECT_FALSE(m_fs.Exists(RecordBesideApp()));
    EXPECT_FALSE(m_fs.Exists(RecordBesideMain()));
}

TEST_F(WorkbenchSave, ASettingsFileThatCannotBeWrittenStopsBeforeTheRecord) {
    // Its folder cannot be made: a file of that name is in the way.
    test_support::WriteBytes(m_dir.File("no-such-folder"), "");
    ProfileStore unwritable(m_fs, m_dir.File("no-such-folder/korvexer.ini"));
    Workbench workbench(m_fs, unwritable, m_rules);
    workbench.Initialise();
    workbench.ChangeLanguage(1);
    WorkbenchOutcome outcome = workbench.Save(ValidForm());
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text, texts::kSettingsWriteFailed);
    ASSERT_EQ(outcome.message->failures.size(), 1u);
    EXPECT_NE(outcome.message->failures[0].path.find("no-such-folder"), std::string::npos);
    EXPECT_EQ(outcome.message->failures[0].kind, ErrorKind::NotFolder);
    EXPECT_TRUE(workbench.dirty());
    EXPECT_FALSE(m_fs.Exists(RecordBesideApp()));
}

TEST_F(WorkbenchSaveRecordAfterStep, WritesBothCopiesFromTheLastTakenFieldsAndClearsDirty) {
    StoreProject("P1", 0, Main(), App());
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    workbench.ChangeLanguage(4);
    workbench.functions().Append({"1", "strlen", "strlen_kx", Main(), "1:0"});
    WorkbenchOutcome outcome = workbench.SaveRecordAfterStep();
    EXPECT_TRUE(outcome.completed);
    EXPECT_FALSE(outcome.message);
    EXPECT_FALSE(workbench.dirty());
    RecordLists read;
    std::int32_t counter = kFirstConstantIndex;
    ASSERT_EQ(ReadRecordFile(m_fs, RecordBesideMain(), read, counter), RecordReadResult::Complete);
    ASSERT_EQ(read.functions.size(), 1u);
    EXPECT_EQ(read.functions.Text(0, 2), "strlen_kx");
}

TEST_F(WorkbenchSaveRecordAfterStep, AFailedWriteGivesItsOwnMessageAndKeepsDirty) {
    StoreProject("P1", 0, Main(), App());
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    workbench.ChangeLanguage(4);
    m_fs.FailOn(Step::Write, "demo.con");
    WorkbenchOutcome outcome = workbench.SaveRecordAfterStep();
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text, texts::kStepRecordFailed);
    ASSERT_EQ(outcome.message->failures.size(), 1u);
    EXPECT_EQ(outcome.message->failures[0].path, RecordBesideApp());
    EXPECT_TRUE(workbench.dirty());
    EXPECT_FALSE(m_fs.Exists(RecordBesideMain()));
}

// A project that was never saved has no application file and so no record file: the step is
// refused before it opens, and a record written after a step is refused too, keeping the dirty
// flag set, instead of writing ".con" into the current folder.
TEST_F(WorkbenchSaveRecordAfterStep, WithoutAnApplicationFileNoRecordIsWrittenAndDirtyIsSet) {
    StoreProject("P1", 0, Main(), "  ");
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    const std::optional<WorkbenchOutcome> refused = workbench.CheckStepOpening();
    ASSERT_TRUE(refused);
    ASSERT_TRUE(refused->message);
    EXPECT_EQ(refused->message->text, texts::kStepNoApplication);
    EXPECT_EQ(refused->focus, WorkbenchField::ApplicationFile);
    ASSERT_FALSE(workbench.dirty());
    workbench.constants().Append({"1025", "x", "1", Main(), "1:1"});
    WorkbenchOutcome outcome = workbench.SaveRecordAfterStep();
    EXPECT_FALSE(outcome.completed);
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text, texts::kStepNoApplication);
    EXPECT_TRUE(workbench.dirty());
    EXPECT_TRUE(workbench.CloseQuestion());
    EXPECT_FALSE(m_fs.Exists(".con"));
    EXPECT_FALSE(m_fs.Exists(m_dir.File("src/.con")));

    workbench.ChooseApplicationFile(App());
    EXPECT_FALSE(workbench.CheckStepOpening());
}

// A record that names the files where the project lay before it was copied: the steps are
// refused until the record is rebased, which writes it again.
TEST_F(WorkbenchSaveRecordAfterStep, AMovedProjectRefusesStepsUntilItsRecordIsRebased) {
    StoreProject("P1", 0, Main(), App());
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    workbench.constants().Append({"1025", "x", "1", "/elsewhere/src/main.cpp", "1:1"});
    const std::optional<WorkbenchOutcome> refused = workbench.CheckStepOpening();
    ASSERT_TRUE(refused && refused->message);
    EXPECT_EQ(refused->message->text.find(texts::kMovedBegin), 0u);
    EXPECT_NE(refused->message->text.find(m_dir.path()), std::string::npos);
    ASSERT_TRUE(workbench.MoveQuestion());
    EXPECT_EQ(workbench.MoveQuestion()->buttons, MessageButtons::YesNo);

    EXPECT_FALSE(workbench.RebaseRecord("/nowhere", m_dir.path()).completed);
    WorkbenchOutcome rebased = workbench.RebaseRecord("/elsewhere", m_dir.path());
    EXPECT_TRUE(rebased.completed);
    // The rest of the path stays as the record wrote it.
    const std::string rebasedMain = m_dir.path() + "/src/main.cpp";
    EXPECT_EQ(workbench.constants().Text(0, 3), rebasedMain);
    EXPECT_FALSE(workbench.CheckStepOpening());
    EXPECT_FALSE(workbench.MoveQuestion());
    RecordLists read;
    std::int32_t counter = kFirstConstantIndex;
    ASSERT_EQ(ReadRecordFile(m_fs, RecordBesideApp(), read, counter), RecordReadResult::Complete);
    EXPECT_EQ(read.constants.Text(0, 3), rebasedMain);
}

}  // namespace
}  // namespace korvexer::test_support
