// SPDX-License-Identifier: MIT
// Tests of the file layer: limited reads and the safe replacement of files.
#include "core/platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(FileSystemRead, ReportsBytesPastTheLimit) {
    TempDir dir;
    WriteBytes(dir.File("f"), "0123456789");
    FileSystem& fs = FileSystem::Real();
    Expected<FileContent> whole = fs.Read(dir.File("f"), 10);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->bytes, "0123456789");
    EXPECT_TRUE(whole->complete);
    Expected<FileContent> cut = fs.Read(dir.File("f"), 9);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->bytes, "012345678");
    EXPECT_FALSE(cut->complete);
}

TEST(FileSystemRead, RefusesMissingFilesAndFolders) {
    TempDir dir;
    FileSystem& fs = FileSystem::Real();
    EXPECT_FALSE(fs.Read(dir.File("missing")));
    Expected<FileContent> folder = fs.Read(dir.path());
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().path, dir.path());
}

TEST(FileSystemPaths, ConvertsGbkNamesToTheSystemForm) {
    TempDir dir;
    // The file name 你好.txt, given to the core in GBK, lies on disk under its UTF-8 name.
    WriteBytes(dir.File("\xE4\xBD\xA0\xE5\xA5\xBD.txt"), "x");
    Expected<FileContent> content = FileSystem::Real().Read(dir.path() + "/\xC4\xE3\xBA\xC3.txt");
    ASSERT_TRUE(content);
    EXPECT_EQ(content->bytes, "x");
}

TEST(ReplaceFile, KeepsPermissionsAndLeavesNoTemporaryFile) {
    TempDir dir;
    std::string path = dir.File("src.cpp");
    WriteBytes(path, "old");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(ReplaceFile(FileSystem::Real(), path, "new content"));
    EXPECT_EQ(ReadBytes(path), "new content");
    struct stat status;
    ::stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(::access((dir.path() + "/.src.cpp").c_str(), F_OK), -1);
}

TEST(ReplaceFile, ReplacesTheTargetOfALinkAndKeepsTheLink) {
    TempDir dir;
    WriteBytes(dir.File("real.cpp"), "old");
    ASSERT_EQ(::symlink("real.cpp", dir.File("link.cpp").c_str()), 0);
    ASSERT_TRUE(ReplaceFile(FileSystem::Real(), dir.File("link.cpp"), "new"));
    EXPECT_EQ(ReadBytes(dir.File("real.cpp")), "new");
    struct stat status;
    ::lstat(dir.File("link.cpp").c_str(), &status);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
}

TEST(ReplaceFile, WritesHardLinkedFilesInPlace) {
    TempDir dir;
    WriteBytes(dir.File("a"), "old");
    ASSERT_EQ(::link(dir.File("a").c_str(), dir.File("b").c_str()), 0);
    ASSERT_TRUE(ReplaceFile(FileSystem::Real(), dir.File("a"), "new"));
    EXPECT_EQ(ReadBytes(dir.File("b")), "new");
}

TEST(ReplaceFile, RefusesAFileThatChangedSinceItWasRead) {
    TempDir dir;
    std::string path = dir.File("f");
    WriteBytes(path, "first");
    Expected<FileContent> read = FileSystem::Real().Read(path);
    ASSERT_TRUE(read);
    WriteBytes(path, "changed by someone else");
    Status status = ReplaceFile(FileSystem::Real(), path, "ours", &read->identity);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().path, path);
    EXPECT_EQ(ReadBytes(path), "changed by someone else");
}

TEST(ReplaceFile, FailsCleanlyInAFolderThatCannotBeWritten) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
    TempDir dir;
    std::string path = dir.File("f");
    WriteBytes(path, "kept");
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_FALSE(ReplaceFile(FileSystem::Real(), path, "lost?"));
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(ReadBytes(path), "kept");
}

// A file system whose chosen primitive fails, to show that no failure touches the target.
class FailingFileSystem : public FileSystem {
public:
    enum class Fault { None, Create, Write, Flush, Close, Rename };
    explicit FailingFileSystem(Fault fault) : m_fault(fault) {}

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
        if (m_fault == Fault::Create) return Error{"injected: cannot create", directory};
        Expected<std::unique_ptr<OutputFile>> file = m_real.CreateTemporary(directory, stem);
        if (!file) return file;
        m_temporaryPath = (*file)->path();
        return std::unique_ptr<OutputFile>(
            std::make_unique<FailingOutput>(std::move(*file), m_fault));
    }
    Expected<std::unique_ptr<OutputFile>> OpenForOverwrite(const std::string& path) override {
        return m_real.OpenForOverwrite(path);
    }
    Status SetPermissions(const std::string& path, std::uint32_t permissions) override {
        return m_real.SetPermissions(path, permissions);
    }
    Status Rename(const std::string& from, const std::string& to) override {
        if (m_fault == Fault::Rename) return Error{"injected: cannot rename", to};
        return m_real.Rename(from, to);
    }
    Status Remove(const std::string& path) override { return m_real.Remove(path); }
    Status SyncDirectory(const std::string& directory) override {
        return m_real.SyncDirectory(directory);
    }
    Status CreateDirectories(const std::string& directory) override {
        return m_real.CreateDirectories(directory);
    }

    const std::string& temporaryPath() const { return m_temporaryPath; }

private:
    class FailingOutput : public OutputFile {
    public:
        FailingOutput(std::unique_ptr<OutputFile> inner, Fault fault)
            : m_inner(std::move(inner)), m_fault(fault) {}
        const std::string& path() const override { return m_inner->path(); }
        Status Write(std::string_view data) override {
            if (m_fault == Fault::Write) return Error{"injected: disk full", path()};
            return m_inner->Write(data);
        }
        Status Flush() override {
            if (m_fault == Fault::Flush) return Error{"injected: cannot flush", path()};
            return m_inner->Flush();
        }
        Status Close() override {
            Status closed = m_inner->Close();
            if (m_fault == Fault::Close) return Error{"injected: cannot close", path()};
            return closed;
        }

    private:
        std::unique_ptr<OutputFile> m_inner;
        Fault m_fault;
    };

    FileSystem& m_real = FileSystem::Real();
    Fault m_fault;
    std::string m_temporaryPath;
};

TEST(ReplaceFile, AnyFailingStepLeavesTheOriginalAndNoTemporaryFile) {
    using Fault = FailingFileSystem::Fault;
    for (Fault fault : {Fault::Create, Fault::Write, Fault::Flush, Fault::Close, Fault::Rename}) {
        TempDir dir;
        std::string path = dir.File("main.cpp");
        WriteBytes(path, "original bytes");
        FailingFileSystem fs(fault);
        Status status = ReplaceFile(fs, path, "replacement");
        ASSERT_FALSE(status) << static_cast<int>(fault);
        EXPECT_EQ(status.error().path, path);
        EXPECT_EQ(ReadBytes(path), "original bytes");
        if (!fs.temporaryPath().empty()) {
            EXPECT_EQ(::access(fs.temporaryPath().c_str(), F_OK), -1) << fs.temporaryPath();
        }
    }
}

TEST(CopyFile, NewCopiesTakeTheOriginalsPermissions) {
    TempDir dir;
    WriteBytes(dir.File("from"), "x");
    ::chmod(dir.File("from").c_str(), 0640);
    ASSERT_TRUE(CopyFile(FileSystem::Real(), dir.File("from"), dir.File("to")));
    struct stat status;
    ::stat(dir.File("to").c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST(CopyFile, CopiesEveryByte) {
    TempDir dir;
    std::string bytes("a\0b\r\n\xFF", 6);
    WriteBytes(dir.File("from"), bytes);
    WriteBytes(dir.File("to"), "older copy, longer than the new one");
    ASSERT_TRUE(CopyFile(FileSystem::Real(), dir.File("from"), dir.File("to")));
    EXPECT_EQ(ReadBytes(dir.File("to")), bytes);
}

}  // namespace
}  // namespace korvexer
