// SPDX-License-Identifier: MIT
// ForwardingFileSystem: every call passed on unchanged.
#include "core/platform/forwarding_file_system.h"

namespace korvexer {

bool ForwardingFileSystem::Exists(const std::string& path) {
    return m_inner.Exists(path);
}

Expected<FileInfo> ForwardingFileSystem::Stat(const std::string& path) {
    return m_inner.Stat(path);
}

Expected<FileContent> ForwardingFileSystem::Read(const std::string& path, std::size_t limit) {
    return m_inner.Read(path, limit);
}

Expected<std::string> ForwardingFileSystem::ResolveLinks(const std::string& path) {
    return m_inner.ResolveLinks(path);
}

Expected<std::unique_ptr<OutputFile>> ForwardingFileSystem::CreateTemporary(
    const std::string& directory, const std::string& stem) {
    return m_inner.CreateTemporary(directory, stem);
}

Expected<std::unique_ptr<OutputFile>> ForwardingFileSystem::OpenForOverwrite(
    const std::string& path) {
    return m_inner.OpenForOverwrite(path);
}

Status ForwardingFileSystem::SetPermissions(const std::string& path, std::uint32_t permissions) {
    return m_inner.SetPermissions(path, permissions);
}

Status ForwardingFileSystem::Rename(const std::string& from, const std::string& to) {
    return m_inner.Rename(from, to);
}

Status ForwardingFileSystem::Remove(const std::string& path) {
    return m_inner.Remove(path);
}

Status ForwardingFileSystem::SyncDirectory(const std::string& directory) {
    return m_inner.SyncDirectory(directory);
}

Status ForwardingFileSystem::CreateDirectories(const std::string& directory) {
    return m_inner.CreateDirectories(directory);
}

}  // namespace korvexer
