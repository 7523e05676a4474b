// SPDX-License-Identifier: MIT
// FileSystem: the file primitives the core uses, behind an interface that tests can replace.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "core/platform/expected.h"

namespace korvexer {

// What identifies one state of a file: if any of these changed, the file changed.
struct FileIdentity {
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileIdentity& other) const {
        return size == other.size && modifiedNs == other.modifiedNs && device == other.device &&
               inode == other.inode;
    }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

struct FileInfo {
    bool isRegular = false;
    bool isDirectory = false;
    std::uint32_t permissions = 0;  // the mode's permission bits
    std::uint64_t linkCount = 1;
    FileIdentity identity;
};

// The bytes of a file read up to a limit.
struct FileContent {
    std::string bytes;
    bool complete = true;   // false when the file holds bytes past the limit
    FileIdentity identity;  // of the file as it was opened
};

// A file being written. Every call reports its own failure; a full disk may show at any of them.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual const std::string& path() const = 0;
    virtual Status Write(std::string_view data) = 0;
    virtual Status Flush() = 0;  // hands the data to the disk (fsync)
    virtual Status Close() = 0;
};

// Paths are GBK bytes; an implementation converts them to the platform's own form and treats a
// path that cannot be converted as a file that cannot be opened.
class FileSystem {
public:
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

    virtual ~FileSystem() = default;

    // The file system of the machine the program runs on.
    static FileSystem& Real();

    virtual bool Exists(const std::string& path) = 0;
    virtual Expected<FileInfo> Stat(const std::string& path) = 0;  // follows links
    // Reads a regular file, at most `limit` bytes. A directory, a device or a missing file is an
    // error.
    virtual Expected<FileContent> Read(const std::string& path, std::size_t limit = kNoLimit) = 0;
    // Reads as Read does into `content`, whose buffer a caller that reads many files in turn
    // keeps, so that its memory is reused. On failure `content` is unspecified. The default reads
    // through Read (after letting go of the old buffer, so that one buffer is held at a time); a
    // wrapper that changes what Read gives must not forward this call past its own Read.
    virtual Status ReadInto(const std::string& path, std::size_t limit, FileContent& content);
    // The path with every symbolic link resolved; a path that does not exist comes back as given.
    virtual Expected<std::string> ResolveLinks(const std::string& path) = 0;
    // A new, empty file in `directory`, created exclusively under a name made from `stem`.
    virtual Expected<std::unique_ptr<OutputFile>> CreateTemporary(const std::string& directory,
                                                                  const std::string& stem) = 0;
    // An existing or new file truncated for writing in place.
    virtual Expected<std::unique_ptr<OutputFile>> OpenForOverwrite(const std::string& path) = 0;
    virtual Status SetPermissions(const std::string& path, std::uint32_t permissions) = 0;
    virtual Status Rename(const std::string& from, const std::string& to) = 0;
    virtual Status Remove(const std::string& path) = 0;
    virtual Status SyncDirectory(const std::string& directory) = 0;
    // Creates a folder and any missing folders above it; an existing folder is no error.
    virtual Status CreateDirectories(const std::string& directory) = 0;
};

// The folder part of a path including its last separator ('/' and, on Windows, '\\' or ':'),
// or "" when it has none.
std::string DirectoryOf(const std::string& path);

// Replaces the content of `path` so that a reader sees the old file or the new one, never a mix:
// links are followed to their target, a temporary file in the same folder gets the content and
// the old permission bits, and is renamed over the target. When `expected` is given and the file
// no longer matches it, nothing is written. A file with several hard links is rewritten in place.
// On failure the temporary file is removed, the target is untouched, and the error names the path.
Status ReplaceFile(FileSystem& fs, const std::string& path, std::string_view content,
                   const FileIdentity* expected = nullptr);

// Copies the whole of `from` to `to` (replacing `to` as ReplaceFile does).
Status CopyFile(FileSystem& fs, const std::string& from, const std::string& to);

}  // namespace korvexer
