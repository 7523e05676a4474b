// SPDX-License-Identifier: MIT
// ForwardingFileSystem: a FileSystem that passes every call to another; subclasses override the few
// calls they change (refusing writes, injecting faults, counting reads).
#pragma once

#include "core/platform/file_system.h"

namespace korvexer {

class ForwardingFileSystem : public FileSystem {
public:
    explicit ForwardingFileSystem(FileSystem& inner) : m_inner(inner) {}

    bool Exists(const std::string& path) override;
    Expected<FileInfo> Stat(const std::string& path) override;
    Expected<FileContent> Read(const std::string& path, std::size_t limit) override;
    Expected<std::string> ResolveLinks(const std::string& path) override;
    Expected<std::unique_ptr<OutputFile>> CreateTemporary(const std::string& directory,
                                                          const std::string& stem) override;
    Expected<std::unique_ptr<OutputFile>> OpenForOverwrite(const std::string& path) override;
    Status SetPermissions(const std::string& path, std::uint32_t permissions) override;
    Status Rename(const std::string& from, const std::string& to) override;
    Status Remove(const std::string& path) override;
    Status SyncDirectory(const std::string& directory) override;
    Status CreateDirectories(const std::string& directory) override;

protected:
    FileSystem& inner() { return m_inner; }

private:
    FileSystem& m_inner;
};

}  // namespace korvexer
