// SPDX-License-Identifier: MIT
// Tests of the Workbench's initialisation and refresh: which project is shown, where the record
// file is read from, and which lists survive a switch of project.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/app/workbench.h"
#include "core/app/workbench_texts.h"
#include "tests/core/workbench_test_fixture.h"

namespace korvexer::test_support {
namespace {

using WorkbenchInitialise = WorkbenchTest;
using WorkbenchRefresh = WorkbenchTest;

TEST_F(WorkbenchInitialise, WithoutASettingsFileEverythingIsEmpty) {
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    WorkbenchForm form = workbench.Form();
    EXPECT_EQ(form.company, "");
    EXPECT_EQ(form.product, "");
    EXPECT_EQ(form.languageIndex, 0);
    EXPECT_EQ(form.mainSourceFile, "");
    EXPECT_EQ(form.applicationFile, "");
    EXPECT_TRUE(workbench.products().entries.empty());
    EXPECT_EQ(workbench.language().libraryfiles, "korvexaux.cpp;korvexlink.h;");
    EXPECT_TRUE(workbench.constants().empty());
    EXPECT_EQ(workbench.lastConstantIndex(), 1024);
    EXPECT_FALSE(workbench.sourceFiles().deleteAllEnabled());
    EXPECT_FALSE(workbench.dirty());
}

TEST_F(WorkbenchInitialise, ReadsTheRecordBesideTheApplicationElseBesideTheMainSourceFile) {
    enum class Place { None, Good, Damaged };
    using Result = RecordReadResult;
    struct Case {
        Place besideApp;
        Place besideMain;
        std::string expectedIndex;         // "" for empty lists
        Result result;                     // of the record beside the application
        std::optional<Result> copyResult;  // of the copy; none when it is not read
    };
    const std::vector<Case> cases = {
        {Place::None, Place::None, "", Result::Missing, Result::Missing},
        {Place::Good, Place::None, "1100", Result::Complete, std::nullopt},
        {Place::None, Place::Good, "1200", Result::Missing, Result::Complete},
        {Place::Good, Place::Good, "1100", Result::Complete, std::nullopt},
        // A damaged record beside the application: only the copy's rows, none twice.
        {Place::Damaged, Place::Good, "1200", Result::Malformed, Result::Complete},
        {Place::Damaged, Place::None, "", Result::Malformed, Result::Missing},
    };
    for (const Case& c : cases) {
        TempDir dir;
        FileSystem& fs = FileSystem::Real();
        ASSERT_TRUE(fs.CreateDirectories(dir.File("bin")));
        ASSERT_TRUE(fs.CreateDirectories(dir.File("src")));
        const std::string main = dir.File("src/main.cpp");
        ProfileStore store(fs, dir.File("korvexer.ini"));
        ProjectSettings project;
        project.mainSourceFile = main;
        project.applicationFile = dir.File("bin/demo.exe");
        ASSERT_TRUE(SaveProjectSettings(store, "Acme", "P1", project));
        auto place = [&](Place what, const std::string& path, const std::string& index) {
            if (what == Place::Good) StoreRecord(path, index, main);
            if (what == Place::Damaged) {
                // Constants and functions read, then the source-file section is cut short.
                StoreRecord(path, "1150", main);
                std::string bytes = ReadBytes(path);
                WriteBytes(path, bytes.substr(0, bytes.size() - 3));
            }
        };
        place(c.besideApp, dir.File("bin/demo.con"), "1100");
        place(c.besideMain, dir.File("src/demo.con"), "1200");

        Workbench workbench(fs, store, m_rules);
        workbench.Initialise();
        const std::string label = std::to_string(static_cast<int>(c.besideApp)) + "/" +
                                  std::to_string(static_cast<int>(c.besideMain));
        EXPECT_EQ(workbench.Form().product, "P1") << label;
        // The report says which files were read and which one the lists came from.
        const RecordReadReport& read = workbench.recordRead();
        EXPECT_EQ(read.path, dir.File("bin/demo.con")) << label;
        EXPECT_EQ(read.result, c.result) << label;
        EXPECT_EQ(read.copyPath, c.copyResult ? dir.File("src/demo.con") : "") << label;
        if (c.copyResult) {
            EXPECT_EQ(read.copyResult, *c.copyResult) << label;
        }
        const std::string source = c.expectedIndex.empty()     ? ""
                                   : c.expectedIndex == "1100" ? read.path
                                                               : read.copyPath;
        EXPECT_EQ(read.source, source) << label;
        if (c.expectedIndex.empty()) {
            EXPECT_TRUE(workbench.constants().empty()) << label;
            EXPECT_TRUE(workbench.functions().empty()) << label;
            EXPECT_TRUE(workbench.sourceFiles().empty()) << label;
            continue;
        }
        ASSERT_EQ(workbench.constants().size(), 1u) << label;
        EXPECT_EQ(workbench.constants().Text(0, 0), c.expectedIndex) << label;
        EXPECT_EQ(workbench.functions().size(), 1u) << label;
        EXPECT_EQ(workbench.sourceFiles().entries(), std::vector<std::string>{main}) << label;
        EXPECT_EQ(std::to_string(workbench.lastConstantIndex()), c.expectedIndex) << label;
        EXPECT_TRUE(workbench.sourceFiles().deleteAllEnabled()) << label;
        EXPECT_FALSE(workbench.sourceFiles().deleteEnabled()) << label;
    }
}

TEST_F(WorkbenchInitialise, DoesNotReadARecordWithoutAnApplicationFile) {
    StoreProject("P1", 0, Main(), "");
    StoreRecord(RecordBesideMain(), "1100", Main());
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    EXPECT_TRUE(workbench.constants().empty());
}

TEST_F(WorkbenchRefresh, AnEmptyCompanyOrProductStopsWithItsMessageAndChangesNothing) {
    StoreProject("P1", 2, Main(), App());
    StoreRecord(RecordBesideApp(), "1100", Main());
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    workbench.ChangeLanguage(2);
    for (const WorkbenchForm& form : {WorkbenchForm{"  ", "P1", 2, Main(), App()},
                                      WorkbenchForm{"Acme", "", 2, Main(), App()}}) {
        WorkbenchOutcome outcome = workbench.Refresh(form);
        ASSERT_TRUE(outcome.message);
        EXPECT_EQ(outcome.message->text,
                  form.company == "Acme" ? texts::kProductEmpty : texts::kCompanyEmpty);
        EXPECT_EQ(outcome.focus,
                  form.company == "Acme" ? WorkbenchField::Product : WorkbenchField::Company);
        EXPECT_EQ(workbench.constants().size(), 1u);
        EXPECT_TRUE(workbench.dirty());
    }
}

TEST_F(WorkbenchRefresh, ANeverSavedProductEmptiesTheFieldsAndTheConstantsOnly) {
    StoreProject("P1", 3, Main(), App());
    StoreRecord(RecordBesideApp(), "1100", Main());
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    ASSERT_EQ(workbench.Form().languageIndex, 3);
    workbench.ChangeLanguage(3);

    WorkbenchOutcome outcome = workbench.Refresh({"Acme", " New", 3, Main(), App()});
    EXPECT_FALSE(outcome.message);
    EXPECT_TRUE(outcome.refreshForm);
    WorkbenchForm form = workbench.Form();
    EXPECT_EQ(form.product, "New");
    EXPECT_EQ(form.languageIndex, 0);
    EXPECT_EQ(form.mainSourceFile, "");
    EXPECT_EQ(form.applicationFile, "");
    EXPECT_TRUE(workbench.constants().empty());
    // Nothing read for a project without an application file: the last project's read is gone.
    EXPECT_EQ(workbench.recordRead().path, "");
    EXPECT_EQ(workbench.recordRead().source, "");
    EXPECT_EQ(workbench.functions().size(), 1u);
    EXPECT_EQ(workbench.sourceFiles().size(), 1u);
    EXPECT_FALSE(workbench.dirty());
    // The product heads the company's list, which is stored; "Common Data" still names P1.
    EXPECT_EQ(m_store.GetString("Acme", "ProductIDList", "-"), "New;P1;");
    EXPECT_EQ(workbench.products().entries, (std::vector<std::string>{"New", "P1"}));
    EXPECT_EQ(m_store.GetString("Common Data", "ProductID", "-"), "P1");
    // The language definition follows the language shown.
    EXPECT_EQ(workbench.language().language, 0);
}

TEST_F(WorkbenchRefresh, ASavedProjectReplacesAllThreeLists) {
    const std::string otherApp = m_dir.File("bin/other.exe");
    StoreProject("P2", 4, Main(), otherApp);
    StoreProject("P1", 0, Main(), App());
    StoreRecord(RecordBesideApp(), "1100", Main());
    StoreRecord(m_dir.File("bin/other.con"), "2000", m_dir.File("src/other.java"));
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    ASSERT_EQ(workbench.constants().Text(0, 0), "1100");

    WorkbenchOutcome outcome = workbench.Refresh({"Acme", "P2", 0, "", ""});
    EXPECT_TRUE(outcome.completed);
    WorkbenchForm form = workbench.Form();
    EXPECT_EQ(form.languageIndex, 4);
    EXPECT_EQ(form.applicationFile, otherApp);
    ASSERT_EQ(workbench.constants().size(), 1u);
    EXPECT_EQ(workbench.constants().Text(0, 0), "2000");
    ASSERT_EQ(workbench.functions().size(), 1u);
    EXPECT_EQ(workbench.sourceFiles().entries(),
              std::vector<std::string>{m_dir.File("src/other.java")});
    EXPECT_EQ(workbench.lastConstantIndex(), 2000);
    EXPECT_EQ(workbench.recordRead().source, m_dir.File("bin/other.con"));
    EXPECT_EQ(workbench.language().language, 4);
}

using WorkbenchSourceEncoding = WorkbenchTest;

TEST_F(WorkbenchSourceEncoding, TheChoiceIsSavedLoadedAndDecidesTheFilesEncodings) {
    // A UTF-8 source: automatic and a fixed UTF-8 read it so, a fixed GBK does not.
    test_support::WriteBytes(Main(), "s = \"\xE5\xA5\xBD\";\r\n");
    Workbench workbench(m_fs, m_store, m_rules);
    workbench.Initialise();
    EXPECT_EQ(workbench.Form().sourceEncoding, SourceEncoding::Automatic);
    EXPECT_EQ(workbench.FileEncodingOf(Main()), TextEncoding::Utf8);

    workbench.ChangeSourceEncoding(SourceEncoding::Gbk);
    EXPECT_TRUE(workbench.dirty());
    EXPECT_EQ(workbench.FileEncodingOf(Main()), TextEncoding::Gbk);  // found again
    WorkbenchForm form = ValidForm();
    form.sourceEncoding = SourceEncoding::Gbk;
    ASSERT_TRUE(workbench.Save(form).completed);
    EXPECT_EQ(m_store.GetString("Acme P1", "SourceEncoding", ""), "gbk");

    // Another project without the key reads as automatic; the saved one as GBK again.
    StoreProject("P2", 0, Main(), App());
    (void)m_store.WriteString("Acme P2", "SourceEncoding", "");
    WorkbenchForm other = workbench.Form();
    other.product = "P2";
    ASSERT_TRUE(workbench.Refresh(other).completed);
    EXPECT_EQ(workbench.Form().sourceEncoding, SourceEncoding::Automatic);
    EXPECT_EQ(workbench.FileEncodingOf(Main()), TextEncoding::Utf8);
    other.product = "P1";
    ASSERT_TRUE(workbench.Refresh(other).completed);
    EXPECT_EQ(workbench.Form().sourceEncoding, SourceEncoding::Gbk);
    EXPECT_FALSE(workbench.dirty());

    // What a step noticed goes to the status line; nothing noticed leaves it as it was.
    workbench.NoteScan({"one", "two"});
    EXPECT_EQ(workbench.statusText(), "onetwo");
    workbench.NoteScan({});
    EXPECT_EQ(workbench.statusText(), "onetwo");
}

}  // namespace
}  // namespace korvexer::test_support
