// SPDX-License-Identifier: MIT
// Tests of the Workbench's file handling: the source-file list with its messages and dirty flag,
// the browse dialogs' filters and results, the dirty flag table, and the help file.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/app/workbench.h"
#include "core/app/workbench_texts.h"
#include "tests/core/workbench_test_fixture.h"

namespace korvexer::test_support {
namespace {

using WorkbenchSourceFiles = WorkbenchTest;
using WorkbenchBrowse = WorkbenchTest;
using WorkbenchDirtyFlag = WorkbenchTest;
using WorkbenchHelp = WorkbenchTest;
using WorkbenchConstantStep = WorkbenchTest;

TEST_F(WorkbenchSourceFiles, RefusedFilesGiveOneMessageAndTheOthersAreAdded) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    ASSERT_TRUE(workbench.AddSourceFiles({"/p/a.cpp"}).refreshForm);
    // A duplicate and one of the runtime's own files of the current language (Visual C++).
    WorkbenchOutcome outcome = workbench.AddSourceFiles(
        {"/p/b.cpp", "/p/a.cpp", "/p/KorvexLink.h", "/p/c.cpp", "/p/aux.cpp"});
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text, texts::kFilesRefused);
    EXPECT_EQ(outcome.message->caption, texts::kCaptionInformation);
    EXPECT_EQ(outcome.message->icon, MessageIcon::Information);
    EXPECT_EQ(workbench.sourceFiles().entries(),
              (std::vector<std::string>{"/p/a.cpp", "/p/b.cpp", "/p/c.cpp", "/p/aux.cpp"}));
    EXPECT_TRUE(workbench.dirty());
    EXPECT_TRUE(workbench.sourceFiles().deleteAllEnabled());
}

TEST_F(WorkbenchSourceFiles, TheRuntimeFilesFollowTheCurrentLanguage) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    workbench.ChangeLanguage(11);  // Java
    WorkbenchOutcome outcome = workbench.AddSourceFiles({"/p/KorvexLink.java", "/p/korvexaux.cpp"});
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(workbench.sourceFiles().entries(), std::vector<std::string>{"/p/korvexaux.cpp"});
}

TEST_F(WorkbenchSourceFiles, OnlyRefusedFilesShowTheMessageAndLeaveTheFlag) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    WorkbenchOutcome outcome = workbench.AddSourceFiles({"/p/korvexaux.cpp", "  "});
    EXPECT_TRUE(outcome.message);
    EXPECT_FALSE(workbench.dirty());
    EXPECT_FALSE(workbench.sourceFiles().deleteAllEnabled());
    // A cancelled dialog changes nothing.
    EXPECT_FALSE(workbench.AddSourceFiles({}).message);
}

TEST_F(WorkbenchSourceFiles, SelectionShowsTheEntryAndDeletionMovesIt) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    workbench.AddSourceFiles({"/p/a.cpp", "/p/b.cpp", "/p/c.cpp"});
    EXPECT_FALSE(workbench.SelectSourceFile(3));
    ASSERT_TRUE(workbench.SelectSourceFile(2));
    EXPECT_EQ(workbench.statusText(), "/p/c.cpp");
    EXPECT_TRUE(workbench.sourceFiles().deleteEnabled());
    workbench.DeleteSelectedSourceFile();
    EXPECT_EQ(workbench.sourceFiles().selected(), 0u);
    // A selection the program made does not change the status line.
    EXPECT_EQ(workbench.statusText(), "/p/c.cpp");
}

TEST_F(WorkbenchSourceFiles, DeleteAllAsksOnlyWhenThereIsSomethingToDelete) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    EXPECT_FALSE(workbench.DeleteAllQuestion());
    EXPECT_FALSE(workbench.DeleteAllSourceFiles().completed);
    EXPECT_FALSE(workbench.dirty());
    workbench.AddSourceFiles({"/p/a.cpp", "/p/b.cpp"});
    std::optional<WorkbenchMessage> question = workbench.DeleteAllQuestion();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text, texts::kDeleteAllQuestion);
    EXPECT_EQ(question->caption, texts::kCaptionSystem);
    EXPECT_EQ(question->buttons, MessageButtons::YesNo);
    EXPECT_TRUE(workbench.DeleteAllSourceFiles().completed);
    EXPECT_TRUE(workbench.sourceFiles().empty());
    EXPECT_FALSE(workbench.sourceFiles().deleteAllEnabled());
}

TEST_F(WorkbenchBrowse, SourceFiltersComeFromTheLanguagesSuffixes) {
    ASSERT_TRUE(m_store.WriteString("language_5", "filesubfix", ".cs;.csx;"));
    struct Case {
        std::int32_t language;
        std::string patterns;
    };
    const Case cases[] = {
        {0, "*.cpp;*.c;"}, {1, "*.bas;*.frm;"}, {2, "*.prg;*.scx;"}, {3, "*.pas;"},
        {4, "*.java;"},    {5, "*.cs;*.csx;"},  {6, "*.cpp;*.c;"},   {11, "*.java;"},
    };
    for (const Case& c : cases) {
        Workbench workbench(m_fs, m_store, m_rules);
        workbench.Initialise();
        workbench.ChangeLanguage(c.language);
        std::vector<FileFilter> filters = workbench.SourceFileFilters();
        ASSERT_EQ(filters.size(), 2u) << c.language;
        EXPECT_EQ(filters[0].description,
                  std::string("\xD4\xB4\xC2\xEB\xCE\xC4\xBC\xFE(") + c.patterns + ")")
            << c.language;
        EXPECT_EQ(filters[0].patterns, c.patterns) << c.language;
        EXPECT_EQ(filters[1].patterns, "*.*");
    }
}

TEST_F(WorkbenchBrowse, ApplicationFilterAndStartFolders) {
    std::vector<FileFilter> filters = Workbench::ApplicationFileFilters();
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].patterns, "*.exe;*.dll;*.class");
    EXPECT_EQ(filters[1].description, "\xCB\xF9\xD3\xD0\xCE\xC4\xBC\xFE(*.*)");

    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    EXPECT_EQ(workbench.ApplicationBrowseFolder(), "");
    EXPECT_TRUE(workbench.ChooseApplicationFile("  " + App() + " \t").refreshForm);
    EXPECT_EQ(workbench.Form().applicationFile, App());
    EXPECT_EQ(workbench.ApplicationBrowseFolder(), m_dir.File("bin/"));
    EXPECT_TRUE(workbench.ChooseMainSourceFile(Main()).refreshForm);
    EXPECT_EQ(workbench.MainSourceBrowseFolder(), m_dir.File("src/"));
}

TEST_F(WorkbenchDirtyFlag, FollowsTheTableOfSettersAndClearers) {
    using Action = std::function<void(Workbench&)>;
    struct Case {
        const char* name;
        Action prepare;
        Action act;
        bool dirtyAfter;
    };
    auto clean = [](Workbench&) {};
    auto withFiles = [](Workbench& w) {
        w.AddSourceFiles({"/p/a.cpp", "/p/b.cpp"});
        w.Refresh(WorkbenchForm{"Acme", "P9", 0, "", ""});  // clears the flag, keeps the list
    };
    auto dirty = [](Workbench& w) { w.ChangeLanguage(1); };
    const std::vector<Case> cases = {
        {"application chosen", clean, [](Workbench& w) { w.ChooseApplicationFile("/x/a.exe"); },
         true},
        {"application dialog cancelled", clean, [](Workbench& w) { w.ChooseApplicationFile(" "); },
         false},
        {"main source chosen", clean, [](Workbench& w) { w.ChooseMainSourceFile("/x/m.cpp"); },
         true},
        {"language changed", clean, [](Workbench& w) { w.ChangeLanguage(3); }, true},
        {"language dialog OK", clean, [](Workbench& w) { w.LanguageSettingsAccepted(); }, true},
        {"file added", clean, [](Workbench& w) { w.AddSourceFiles({"/p/x.cpp"}); }, true},
        {"nothing added", clean, [](Workbench& w) { w.AddSourceFiles({"/p/korvexaux.cpp"}); },
         false},
        {"entry deleted", withFiles,
         [](Workbench& w) {
             w.SelectSourceFile(0);
             w.DeleteSelectedSourceFile();
         },
         true},
        {"delete without selection", withFiles, [](Workbench& w) { w.DeleteSelectedSourceFile(); },
         false},
        {"entry selected", withFiles, [](Workbench& w) { w.SelectSourceFile(1); }, false},
        {"all deleted", withFiles, [](Workbench& w) { w.DeleteAllSourceFiles(); }, true},
        {"refresh", dirty,
         [](Workbench& w) {
             w.Refresh({"Acme", "P1", 1, "", ""});
         },
         false},
        {"refresh refused", dirty,
         [](Workbench& w) {
             w.Refresh({"", "P1", 1, "", ""});
         },
         true},
        {"step record written", dirty, [](Workbench& w) { w.SaveRecordAfterStep(); }, false},
        {"typing only", clean,
         [](Workbench& w) {
             w.Refresh({"Acme", "", 0, "typed", "typed"});
         },
         false},
        {"help", dirty, [](Workbench& w) { w.WriteHelp("guide"); }, true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        ProfileStore store(FileSystem::Real(), dir.File("korvexer.ini"));
        ProjectSettings project;
        project.mainSourceFile = dir.File("main.cpp");
        project.applicationFile = dir.File("demo.exe");
        ASSERT_TRUE(SaveProjectSettings(store, "Acme", "P1", project));
        Workbench workbench(FileSystem::Real(), store, m_rules);
        workbench.Initialise();
        c.prepare(workbench);
        c.act(workbench);
        EXPECT_EQ(workbench.dirty(), c.dirtyAfter) << c.name;
    }
}

TEST_F(WorkbenchHelp, WritesBesideTheMainSourceFileAndKeepsAForeignReadme) {
    StoreProject("P1", 0, Main(), App());
    WriteBytes(m_dir.File("src/readme.txt"), "the user's notes");
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    WorkbenchOutcome outcome = workbench.WriteHelp("guide text");
    EXPECT_FALSE(outcome.message);
    EXPECT_EQ(outcome.fileToOpen, m_dir.File("src/readme-korvexer.txt"));
    EXPECT_EQ(ReadBytes(outcome.fileToOpen), "guide text");
    EXPECT_EQ(ReadBytes(m_dir.File("src/readme.txt")), "the user's notes");
}

TEST_F(WorkbenchHelp, AFileThatCannotBeWrittenGivesTheExclamationMessage) {
    StoreProject("P1", 0, Main(), App());
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    m_fs.FailOn(Step::CreateTemporary, "readme.txt");
    WorkbenchOutcome outcome = workbench.WriteHelp("guide text");
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text, texts::kHelpWriteFailed);
    ASSERT_EQ(outcome.message->failures.size(), 1u);
    EXPECT_EQ(outcome.message->failures[0].path, m_dir.File("src/readme.txt"));
    EXPECT_EQ(outcome.message->caption, texts::kCaptionInformation);
    EXPECT_EQ(outcome.message->icon, MessageIcon::Exclamation);
    EXPECT_TRUE(outcome.fileToOpen.empty());
}

TEST_F(WorkbenchConstantStep, NumbersFromTheLastRowOr1024) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    EXPECT_EQ(workbench.PrepareConstantStep(), 1024);
    workbench.constants().Append({"1300", "", "", "", ""});
    workbench.constants().Append({"1207", "", "", "", ""});
    EXPECT_EQ(workbench.PrepareConstantStep(), 1207);
    EXPECT_EQ(workbench.lastConstantIndex(), 1207);
}

}  // namespace
}  // namespace korvexer::test_support
