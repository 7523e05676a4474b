// SPDX-License-Identifier: MIT
// A project on disk for the Workbench tests: a settings file, application and source folders, a
// file system that can be made to fail, and helpers to store projects and record files.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/app/project_settings.h"
#include "core/app/workbench.h"
#include "core/platform/file_system.h"
#include "core/platform/profile_store.h"
#include "core/record/record_file.h"
#include "tests/support/faulty_file_system.h"
#include "tests/support/test_support.h"

namespace korvexer::test_support {

class WorkbenchTest : public ::testing::Test {
protected:
    using Step = FaultyFileSystem::Step;

    WorkbenchTest() {
        EXPECT_TRUE(m_fs.CreateDirectories(BinFolder()));
        EXPECT_TRUE(m_fs.CreateDirectories(SrcFolder()));
    }

    std::string BinFolder() const { return m_dir.File("bin"); }
    std::string SrcFolder() const { return m_dir.File("src"); }
    std::string App() const { return m_dir.File("bin/demo.exe"); }
    std::string Main() const { return m_dir.File("src/main.cpp"); }
    std::string RecordBesideApp() const { return m_dir.File("bin/demo.con"); }
    std::string RecordBesideMain() const { return m_dir.File("src/demo.con"); }

    // A form that passes the save's checks.
    WorkbenchForm ValidForm() const { return WorkbenchForm{"Acme", "P1", 0, Main(), App()}; }

    // Stores project Acme/`product` as the last saved one, with the given language and files.
    void StoreProject(const std::string& product, std::int32_t language, const std::string& main,
                      const std::string& app) {
        ProjectSettings settings;
        settings.languageIndex = language;
        settings.mainSourceFile = main;
        settings.applicationFile = app;
        ASSERT_TRUE(SaveProjectSettings(m_store, "Acme", product, settings));
    }

    // A record file at `path` with one row in each list, the constant numbered `index`.
    void StoreRecord(const std::string& path, const std::string& index,
                     const std::string& sourceFile) {
        RecordLists lists;
        lists.constants.Append({index, "\xD7\xD6\xB7\xFB\xB4\xAE", "abc", sourceFile, "3:8"});
        lists.functions.Append({"1", "strlen", "strlen_kx", sourceFile, "4:2"});
        lists.sourceFiles.push_back(sourceFile);
        ASSERT_TRUE(WriteRecordFile(FileSystem::Real(), path, lists));
    }

    TempDir m_dir;
    FaultyFileSystem m_fs;
    ProfileStore m_store{m_fs, m_dir.File("korvexer.ini")};
    const FileNameRules m_rules{true, '/'};
};

}  // namespace korvexer::test_support
