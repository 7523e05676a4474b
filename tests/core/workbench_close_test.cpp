// SPDX-License-Identifier: MIT
// Tests of the Workbench's close procedure: the question, and that unsaved work is never lost
// because a save on closing failed.
#include <gtest/gtest.h>

#include <string>

#include "core/app/workbench.h"
#include "core/app/workbench_texts.h"
#include "tests/core/workbench_test_fixture.h"

namespace korvexer::testing {
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
    struct Case {
        WorkbenchForm form;
        bool refuseRecord;
        std::string_view text;
    };
    const Case cases[] = {
        {{"Acme", "P1", 0, "", App()}, false, texts::kMainSourceEmpty},
        {{"", "P1", 0, Main(), App()}, false, texts::kCompanyEmpty},
        {ValidForm(), true, texts::kSaveRecordFailed},
    };
    for (const Case& c : cases) {
        Workbench workbench(m_fs, m_store, m_rules);
        workbench.Initialise();
        workbench.ChangeLanguage(1);
        m_fs.refusedFolder = c.refuseRecord ? BinFolder() : "";
        WorkbenchOutcome outcome = workbench.Close(c.form, true);
        EXPECT_FALSE(outcome.closeWindow) << c.text;
        ASSERT_TRUE(outcome.message) << c.text;
        EXPECT_EQ(outcome.message->text.compare(0, c.text.size(), c.text), 0) << c.text;
        EXPECT_TRUE(workbench.dirty()) << c.text;
        // Once mended, the same procedure saves and closes.
        m_fs.refusedFolder.clear();
        WorkbenchOutcome mended = workbench.Close(ValidForm(), true);
        EXPECT_TRUE(mended.closeWindow) << c.text;
        EXPECT_FALSE(workbench.dirty()) << c.text;
    }
}

}  // namespace
}  // namespace korvexer::testing
