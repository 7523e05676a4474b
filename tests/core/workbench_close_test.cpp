// SPDX-License-Identifier: MIT
// Tests of the Workbench's close procedure: the question, and that unsaved work is never lost
// because a save on closing failed.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "core/app/workbench.h"
#include "core/app/workbench_texts.h"
#include "tests/core/workbench_test_fixture.h"

namespace korvexer::test_support {
namespace {

using WorkbenchClose = WorkbenchTest;

TEST_F(WorkbenchClose, WithoutChangesClosesWithoutAskingOrWriting) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    EXPECT_FALSE(workbench.CloseQuestion());
    WorkbenchOutcome outcome = workbench.Close(ValidForm(), true);
    EXPECT_TRUE(outcome.closeWindow);
    EXPECT_FALSE(outcome.message);
    EXPECT_FALSE(m_fs.Exists(m_store.path()));
}

TEST_F(WorkbenchClose, AsksWhenDirtyAndNoClosesWithoutSaving) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    workbench.ChangeLanguage(1);
    std::optional<WorkbenchMessage> question = workbench.CloseQuestion();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text, texts::kSaveBeforeClose);
    EXPECT_EQ(question->caption, texts::kCaptionSystem);
    EXPECT_EQ(question->icon, MessageIcon::Question);
    EXPECT_EQ(question->buttons, MessageButtons::YesNo);
    WorkbenchOutcome outcome = workbench.Close(ValidForm(), false);
    EXPECT_TRUE(outcome.closeWindow);
    EXPECT_FALSE(m_fs.Exists(m_store.path()));
    EXPECT_FALSE(m_fs.Exists(RecordBesideApp()));
}

TEST_F(WorkbenchClose, YesWithAValidFormSavesSilentlyAndCloses) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    workbench.ChangeLanguage(1);
    WorkbenchOutcome outcome = workbench.Close(ValidForm(), true);
    EXPECT_TRUE(outcome.closeWindow);
    EXPECT_FALSE(outcome.message) << "a save on closing says nothing when it succeeds";
    EXPECT_TRUE(m_fs.Exists(RecordBesideApp()));
    EXPECT_EQ(m_store.GetString("Common Data", "ProductID", ""), "P1");
    // The next save from the button speaks again.
    WorkbenchOutcome next = workbench.Save(ValidForm());
    ASSERT_TRUE(next.message);
    EXPECT_EQ(next.message->text, texts::kSaved);
}

TEST_F(WorkbenchClose, YesWithAFailingSaveKeepsTheWindowOpenWithTheReason) {
    m_fs.FailOn(Step::Write, "demo.con");
    const WorkbenchForm cases[] = {
        {"Acme", "P1", 0, "", App()},
        {"", "P1", 0, Main(), App()},
        ValidForm(),  // its record file cannot be written
    };
    const std::string_view expected[] = {texts::kMainSourceEmpty, texts::kCompanyEmpty,
                                         texts::kSaveRecordFailed};
    WorkbenchForm mended = ValidForm();
    mended.applicationFile = m_dir.File("bin/fixed.exe");
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Workbench workbench(m_fs, m_store, m_rules);
        workbench.Initialise();
        workbench.ChangeLanguage(1);
        WorkbenchOutcome outcome = workbench.Close(cases[i], true);
        EXPECT_FALSE(outcome.closeWindow) << i;
        ASSERT_TRUE(outcome.message) << i;
        EXPECT_EQ(outcome.message->text.compare(0, expected[i].size(), expected[i]), 0) << i;
        EXPECT_TRUE(workbench.dirty()) << i;
        // Once the user has mended the form, the same procedure saves and closes.
        WorkbenchOutcome again = workbench.Close(mended, true);
        EXPECT_TRUE(again.closeWindow) << i;
        EXPECT_FALSE(workbench.dirty()) << i;
    }
}

}  // namespace
}  // namespace korvexer::test_support
