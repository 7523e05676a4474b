// SPDX-License-Identifier: MIT
// BufferProbe: a FileSystem that counts how many buffers of read files are alive at once.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "core/platform/file_system.h"

namespace korvexer::bench {

// Passes every call to `inner`. The blocks that a Read allocates (the file's bytes) are followed
// until they are freed, wherever that happens, through the program's operator new and delete,
// which this file's implementation replaces. Linked into one benchmark program only.
class BufferProbe : public FileSystem {
public:
    explicit BufferProbe(FileSystem& inner) : m_inner(inner) {}

    // The most file buffers alive at one time since the program started, and the largest one.
    static std::size_t MostAlive();
    static std::size_t LargestBytes();

    bool Exists(const std::string& path) override { return m_inner.Exists(path); }
    Expected<FileInfo> Stat(const std::string& path) override { return m_inner.Stat(path); }
    Expected<FileContent> Read(const std::string& path, std::size_t limit) override;
    Expected<std::string> ResolveLinks(const std::string& path) override {
        return m_inner.ResolveLinks(path);
    }
    Expected<std::unique_ptr<OutputFile>> CreateTemporary(const std::string& directory,
                                                          const std::string& stem) override {
        return m_inner.CreateTemporary(directory, stem);
    }
    Expected<std::unique_ptr<OutputFile>> OpenForOverwrite(const std::string& path) override {
        return m_inner.OpenForOverwrite(path);
    }
    Status SetPermissions(const std::string& path, std::uint32_t permissions) override {
        return m_inner.SetPermissions(path, permissions);
    }
    Status Rename(const std::string& from, const std::string& to) override {
        return m_inner.Rename(from, to);
    }
    Status Remove(const std::string& path) override { return m_inner.Remove(path); }
    Status SyncDirectory(const std::string& directory) override {
        return m_inner.SyncDirectory(directory);
    }
    Status CreateDirectories(const std::string& directory) override {
        return m_inner.CreateDirectories(directory);
    }

private:
    FileSystem& m_inner;
};

}  // namespace korvexer::bench
