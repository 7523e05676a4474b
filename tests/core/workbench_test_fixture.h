// SPDX-License-Identifier: MIT
// A project on disk for the Workbench tests: a settings file, application and source folders, a
// file system that refuses writes in one folder, and helpers to store projects and record files.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/app/project_settings.h"
#include "core/app/workbench.h"
#include "core/platform/file_system.h"
#include "core/platform/profile_store.h"
#include "core/record/record_file.h"
#include "tests/support/test_support.h"

namespace korvexer::testing {

// The real file system, except that no file can be created or overwritten inside `refusedFolder`.
class FolderRefusingFileSystem : public FileSystem {
public:
    std::string refusedFolder;

    bool Exists(const std::string& path) override { return m_real.Exists(path); }
    Expected<FileInfo> Stat(const std::string& path) override { return m_real.Stat(path); }
    Expected<FileContent> Read(const std::string& path, std::size_t limit) override {
        return m_real.Read(path, limit);
    }
    Expected<std::string> ResolveLinks(const std::string& path) override {
        return m_real.ResolveLinks(path);
    }
    Expected<std::unique_ptr<OutputFile>> CreateTemporary(const std::string& directory,
                                                          const std::string& stem) override {
        if (Refused(directory)) return Error{"injected: permission denied", directory};
        return m_real.CreateTemporary(directory, stem);
    }
    Expected<std::unique_ptr<OutputFile>> OpenForOverwrite(const std::string& path) override {
        if (Refused(path)) return Error{"injected: permission denied", path};
        return m_real.OpenForOverwrite(path);
    }
    Status SetPermissions(const std::string& path, std::uint32_t permissions) override {
        return m_real.SetPermissions(path, permissions);
    }
    Status Rename(const std::string& from, const std::string& to) override {
        if (Refused(to)) return Error{"injected: permission denied", to};
        return m_real.Rename(from, to);
    }
    Status Remove(const std::string& path) override { return m_real.Remove(path); }
    Status SyncDirectory(const std::string& directory) override {
        return m_real.SyncDirectory(directory);
    }
    Status CreateDirectories(const std::string& directory) override {
        return m_real.CreateDirectories(directory);
    }

private:
    bool Refused(const std::string& path) const {
        return !refusedFolder.empty() && path.compare(0, refusedFolder.size(), refusedFolder) == 0;
    }
    FileSystem& m_real = FileSystem::Real();
};

class WorkbenchTest : public ::testing::Test {
protected:
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
    FolderRefusingFileSystem m_fs;
    ProfileStore m_store{m_fs, m_dir.File("korvexer.ini")};
    const FileNameRules m_rules{true, '/'};
};

}  // namespace korvexer::testing
