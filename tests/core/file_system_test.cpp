// SPDX-License-Identifier: MIT
// Tests of the file layer: limited reads and the safe replacement of files.
#include "core/platform/file_system.h"
#include "core/platform/forwarding_file_system.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// The Win32 names of these would hide the file layer's own.
#undef CopyFile
#undef ReplaceFile

#include <filesystem>
#include <fstream>
#endif

#include "tests/support/test_support.h"

namespace korvexer {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;

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

// One buffer read into again and again holds each file exactly, whether the files grow or
// shrink, both through the system's file layer and through a wrapper that reads with Read.
TEST(FileSystemRead, ReadIntoReusesOneBufferForFileAfterFile) {
    TempDir dir;
    const std::string sizes[] = {std::string(3000, 'a'), "bc", "", std::string(70000, 'd'), "e"};
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < std::size(sizes); ++i) {
        paths.push_back(dir.File("f" + std::to_string(i)));
        WriteBytes(paths.back(), sizes[i]);
    }
    ForwardingFileSystem wrapper(FileSystem::Real());
    for (FileSystem* fs : {&FileSystem::Real(), static_cast<FileSystem*>(&wrapper)}) {
        FileContent buffer;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            ASSERT_TRUE(fs->ReadInto(paths[i], 60000, buffer));
            const std::string expected = sizes[i].substr(0, 60000);
            EXPECT_EQ(buffer.bytes, expected) << i;
            EXPECT_EQ(buffer.complete, sizes[i].size() <= 60000) << i;
            EXPECT_EQ(buffer.identity, fs->Read(paths[i], 60000)->identity) << i;
        }
        EXPECT_FALSE(fs->ReadInto(dir.File("missing"), 100, buffer));
    }
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
#ifdef _WIN32
    // The file name 你好.txt, given to the core in GBK, lies on disk under its UTF-16 name.
    std::filesystem::path wideDir = std::filesystem::path(std::wstring(
        dir.path().begin(), dir.path().end()));  // the temporary folder's name is plain ASCII
    {
        std::ofstream file(wideDir / L"\u4F60\u597D.txt", std::ios::binary);
        file << "x";
    }
    Expected<FileContent> content = FileSystem::Real().Read(dir.path() + "\\\xC4\xE3\xBA\xC3.txt");
#else
    // The file name 你好.txt, given to the core in GBK, lies on disk under its UTF-8 name.
    WriteBytes(dir.File("\xE4\xBD\xA0\xE5\xA5\xBD.txt"), "x");
    Expected<FileContent> content = FileSystem::Real().Read(dir.path() + "/\xC4\xE3\xBA\xC3.txt");
#endif
    ASSERT_TRUE(content);
    EXPECT_EQ(content->bytes, "x");
}

#ifdef _WIN32
TEST(ReplaceFile, KeepsAttributesAndLeavesNoTemporaryFile) {
    TempDir dir;
    std::string path = dir.File("src.cpp");
    WriteBytes(path, "old");
    std::wstring widePath(path.begin(), path.end());  // plain ASCII
    ASSERT_TRUE(SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(ReplaceFile(FileSystem::Real(), path, "new content"));
    EXPECT_EQ(ReadBytes(path), "new content");
    DWORD attributes = GetFileAttributesW(widePath.c_str());
    EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_READONLY, 0u);
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(std::wstring(dir.path().begin(), dir.path().end())))) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST(ReplaceFile, CreatesAMissingTargetAndReadsReadOnlyAsMode0444) {
    TempDir dir;
    std::string path = dir.File("new.cpp");
    ASSERT_TRUE(ReplaceFile(FileSystem::Real(), path, "fresh"));
    EXPECT_EQ(ReadBytes(path), "fresh");
    Expected<FileInfo> writable = FileSystem::Real().Stat(path);
    ASSERT_TRUE(writable);
    EXPECT_TRUE(writable->isRegular);
    EXPECT_EQ(writable->permissions, 0666u);
    test_support::MakeReadOnly(path);
    Expected<FileInfo> readOnly = FileSystem::Real().Stat(path);
    ASSERT_TRUE(readOnly);
    EXPECT_EQ(readOnly->permissions, 0444u);
    Expected<FileInfo> folder = FileSystem::Real().Stat(dir.path());
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->isDirectory);
    EXPECT_FALSE(folder->isRegular);
}

TEST(ReplaceFile, WritesHardLinkedFilesInPlace) {
    TempDir dir;
    WriteBytes(dir.File("a"), "old");
    std::string a = dir.File("a"), b = dir.File("b");
    ASSERT_TRUE(CreateHardLinkW(std::wstring(b.begin(), b.end()).c_str(),
                                std::wstring(a.begin(), a.end()).c_str(), nullptr));
    Expected<FileInfo> info = FileSystem::Real().Stat(a);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->linkCount, 2u);
    ASSERT_TRUE(ReplaceFile(FileSystem::Real(), a, "new"));
    EXPECT_EQ(ReadBytes(b), "new");
}

TEST(FileSystemPaths, AcceptsBothSeparatorsAndCreatesNestedFolders) {
    TempDir dir;
    FileSystem& fs = FileSystem::Real();
    std::string nested = dir.path() + "\\one/two\\three";
    ASSERT_TRUE(fs.CreateDirectories(nested));
    ASSERT_TRUE(fs.CreateDirectories(nested + "\\"));  // an existing folder is no error
    ASSERT_TRUE(ReplaceFile(fs, nested + "\\f.txt", "x"));
    Expected<FileContent> content = fs.Read(dir.path() + "/one/two/three/f.txt");
    ASSERT_TRUE(content);
    EXPECT_EQ(content->bytes, "x");
    // A file in the way of a folder is an error.
    EXPECT_FALSE(fs.CreateDirectories(nested + "\\f.txt\\below"));
}
#else
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

#endif  // _WIN32

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

#ifndef _WIN32
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

#endif  // _WIN32

// A file system whose chosen primitive fails, to show that no failure touches the target.
class FailingFileSystem : public ForwardingFileSystem {
public:
    enum class Fault { None, Create, Write, Flush, Close, Rename };
    explicit FailingFileSystem(Fault fault)
        : ForwardingFileSystem(FileSystem::Real()), m_fault(fault) {}

    Expected<std::unique_ptr<OutputFile>> CreateTemporary(const std::string& directory,
                                                          const std::string& stem) override {
        if (m_fault == Fault::Create) return Error{"injected: cannot create", directory};
        Expected<std::unique_ptr<OutputFile>> file = inner().CreateTemporary(directory, stem);
        if (!file) return file;
        m_temporaryPath = (*file)->path();
        return std::unique_ptr<OutputFile>(
            std::make_unique<FailingOutput>(std::move(*file), m_fault));
    }
    Status Rename(const std::string& from, const std::string& to) override {
        if (m_fault == Fault::Rename) return Error{"injected: cannot rename", to};
        return inner().Rename(from, to);
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

#ifndef _WIN32
TEST(CopyFile, NewCopiesTakeTheOriginalsPermissions) {
    TempDir dir;
    WriteBytes(dir.File("from"), "x");
    ::chmod(dir.File("from").c_str(), 0640);
    ASSERT_TRUE(CopyFile(FileSystem::Real(), dir.File("from"), dir.File("to")));
    struct stat status;
    ::stat(dir.File("to").c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

#endif  // _WIN32

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
