// SPDX-License-Identifier: MIT
// The safe replacement and copy of files, built on the FileSystem primitives.
#include "core/platform/file_system.h"

#include "core/platform/gbk_text.h"

namespace korvexer {

namespace {

#ifdef _WIN32
constexpr std::string_view kSeparators = "\\/:";
#else
constexpr std::string_view kSeparators = "/";
#endif

std::string FileNameOf(const std::string& path) {
    std::size_t cut = gbk::FindLastOf(path, kSeparators);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

Status WriteAll(OutputFile& file, std::string_view content) {
    if (Status written = file.Write(content); !written) return written;
    if (Status flushed = file.Flush(); !flushed) return flushed;
    return file.Close();
}

Status OverwriteInPlace(FileSystem& fs, const std::string& path, std::string_view content) {
    Expected<std::unique_ptr<OutputFile>> file = fs.OpenForOverwrite(path);
    if (!file) return file.status();
    return WriteAll(**file, content);
}

// Errors of ReplaceFile name the file the caller asked for; the step that failed is in the message.
Error Named(Error error, const std::string& path) {
    if (!error.path.empty() && error.path != path) error.message += " (" + error.path + ")";
    error.path = path;
    return error;
}

}  // namespace

Status FileSystem::ReadInto(const std::string& path, std::size_t limit, FileContent& content) {
    // Assigning an empty content would keep the old buffer's memory; swapping lets it go.
    std::string().swap(content.bytes);
    Expected<FileContent> read = Read(path, limit);
    if (!read) return read.error();
    content = std::move(*read);
    return Status::Ok();
}

std::string DirectoryOf(const std::string& path) {
    std::size_t cut = gbk::FindLastOf(path, kSeparators);
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

Status ReplaceFile(FileSystem& fs, const std::string& path, std::string_view content,
                   const FileIdentity* expected) {
    Expected<std::string> resolved = fs.ResolveLinks(path);
    if (!resolved) return Named(resolved.error(), path);
    const std::string& target = *resolved;

    Expected<FileInfo> before = fs.Stat(target);
    if (before && !before->isRegular)
        return Error{"is not a regular file", path, ErrorKind::NotRegularFile};
    if (expected && (!before || before->identity != *expected))
        return Error{"changed on disk since it was read; nothing was written", path,
                     ErrorKind::ChangedOnDisk};

    if (before && before->linkCount > 1) {
        // Renaming would split the hard links apart; write the one file they share instead. Its
        // old bytes are kept at hand, so that a write that fails half way (a full disk) can put
        // them back instead of leaving half a file.
        Expected<FileContent> old = fs.Read(target);
        if (!old) return Named(old.error(), path);
        if (expected && old->identity != *expected)
            return Error{"changed on disk since it was read; nothing was written", path,
                         ErrorKind::ChangedOnDisk};
        Status status = OverwriteInPlace(fs, target, content);
        if (status) return status;
        Error error = Named(status.error(), path);
        if (OverwriteInPlace(fs, target, old->bytes))
            error.message += "; the file's old content was written back";
        else
            error.message += "; the file's old content could not be written back either";
        return error;
    }

    std::string directory = DirectoryOf(target);
    Expected<std::unique_ptr<OutputFile>> temporary =
        fs.CreateTemporary(directory, "." + FileNameOf(target));
    if (!temporary) return Named(temporary.error(), path);
    std::string temporaryPath = (*temporary)->path();

    auto fail = [&](const Error& error) -> Status {
        temporary->reset();
        (void)fs.Remove(temporaryPath);
        return Named(error, path);
    };

    if (Status status = WriteAll(**temporary, content); !status) return fail(status.error());
    if (before) {
        if (Status status = fs.SetPermissions(temporaryPath, before->permissions); !status)
            return fail(status.error());
        Expected<FileInfo> now = fs.Stat(target);
        if (!now || now->identity != before->identity)
            return fail(Error{"changed on disk while it was being written; nothing was written",
                              {},
                              ErrorKind::ChangedOnDisk});
    }
    if (Status status = fs.Rename(temporaryPath, target); !status) return fail(status.error());
    // The rename is done; a folder that cannot be flushed does not undo it.
    (void)fs.SyncDirectory(directory.empty() ? std::string(".") : directory);
    return Status::Ok();
}

Status CopyFile(FileSystem& fs, const std::string& from, const std::string& to) {
    Expected<FileContent> content = fs.Read(from);
    if (!content) return Named(content.error(), from);
    bool isNew = !fs.Exists(to);
    if (Status status = ReplaceFile(fs, to, content->bytes); !status) return status;
    // A new copy gets the permission bits of its original (a backup of a private file stays
    // private).
    if (isNew) {
        if (Expected<FileInfo> info = fs.Stat(from); info)
            (void)fs.SetPermissions(to, info->permissions);
    }
    return Status::Ok();
}

}  // namespace korvexer
