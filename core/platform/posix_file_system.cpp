// SPDX-License-Identifier: MIT
// FileSystem on POSIX systems: GBK paths become UTF-8 file names.
#ifndef _WIN32

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/file_system.h"
#include "core/platform/gbk_text.h"

namespace korvexer {

namespace {

ErrorKind KindOf(int code) {
    switch (code) {
        case ENOENT:
        case ENOTDIR:
            return ErrorKind::NotFound;
        case EACCES:
        case EPERM:
            return ErrorKind::AccessDenied;
        case ENOSPC:
        case EDQUOT:
            return ErrorKind::DiskFull;
        case EROFS:
            return ErrorKind::ReadOnlyDisk;
        case ENAMETOOLONG:
            return ErrorKind::NameUnusable;
        case EISDIR:
            return ErrorKind::NotRegularFile;
        default:
            return ErrorKind::Other;
    }
}

Error SystemError(const std::string& what, const std::string& path, int code) {
    return Error{what + ": " + std::strerror(code), path, KindOf(code), code};
}

Expected<std::string> NativePath(const std::string& path) {
    if (path.empty()) return Error{"empty file name", path, ErrorKind::NameUnusable};
    // The system would end the name at a NUL byte and open another file.
    if (path.find('\0') != std::string::npos)
        return Error{"a file name cannot hold a NUL byte", path, ErrorKind::NameUnusable};
    Expected<std::string> native = gbk::ToUtf8(path);
    if (!native)
        return Error{"the file name cannot be converted for this system", path,
                     ErrorKind::NameUnusable};
    return native;
}

// The GBK form of a name the system gave us.
std::string FromNative(const std::string& native) {
    Expected<std::string> gbkPath = gbk::FromUtf8(native);
    return gbkPath ? *gbkPath : native;
}

FileInfo InfoFrom(const struct stat& status) {
    FileInfo info;
    info.isRegular = S_ISREG(status.st_mode);
    info.isDirectory = S_ISDIR(status.st_mode);
    info.permissions = status.st_mode & 07777;
    info.linkCount = status.st_nlink;
    info.identity.size = static_cast<std::uint64_t>(status.st_size);
    info.identity.modifiedNs =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    info.identity.device = status.st_dev;
    info.identity.inode = status.st_ino;
    return info;
}

class PosixOutputFile : public OutputFile {
public:
    PosixOutputFile(int descriptor, std::string path)
        : m_descriptor(descriptor), m_path(std::move(path)) {}
    ~PosixOutputFile() override {
        if (m_descriptor >= 0) ::close(m_descriptor);
    }

    const std::string& path() const override { return m_path; }

    Status Write(std::string_view data) override {
        while (!data.empty()) {
            ssize_t written = ::write(m_descriptor, data.data(), data.size());
            if (written < 0) {
                if (errno == EINTR) continue;
                return SystemError("cannot write", m_path, errno);
            }
            data.remove_prefix(static_cast<std::size_t>(written));
        }
        return Status::Ok();
    }

    Status Flush() override {
        if (::fsync(m_descriptor) != 0) return SystemError("cannot flush", m_path, errno);
        return Status::Ok();
    }

    Status Close() override {
        int descriptor = m_descriptor;
        m_descriptor = -1;
        if (::close(descriptor) != 0) return SystemError("cannot close", m_path, errno);
        return Status::Ok();
    }

private:
    int m_descriptor;
    std::string m_path;
};

class PosixFileSystem : public FileSystem {
public:
    bool Exists(const std::string& path) override {
        Expected<std::string> native = NativePath(path);
        struct stat status;
        return native && ::stat(native->c_str(), &status) == 0;
    }

    Expected<FileInfo> Stat(const std::string& path) override {
        Expected<std::string> native = NativePath(path);
        if (!native) return native.error();
        struct stat status;
        if (::stat(native->c_str(), &status) != 0)
            return SystemError("cannot examine", path, errno);
        return InfoFrom(status);
    }

    Expected<FileContent> Read(const std::string& path, std::size_t limit) override {
        FileContent content;
        Status status = ReadInto(path, limit, content);
        if (!status) return status.error();
        return content;
    }

    Status ReadInto(const std::string& path, std::size_t limit, FileContent& content) override {
        Expected<std::string> native = NativePath(path);
        if (!native) return native.error();
        int descriptor = ::open(native->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (descriptor < 0) return SystemError("cannot open", path, errno);
        struct stat status;
        if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
            ::close(descriptor);
            return Error{"is not a regular file", path, ErrorKind::NotRegularFile};
        }
        content.identity = InfoFrom(status).identity;
        content.complete = true;
        std::string& bytes = content.bytes;
        std::size_t expected = static_cast<std::size_t>(status.st_size);
        // One spare byte lets the read that meets the end of the file land without a resize.
        const std::size_t want = expected < limit ? expected + 1 : limit;
        // A buffer too small is let go before the larger one is made, so that one is held.
        if (bytes.capacity() < want) std::string().swap(bytes);
        bytes.resize(want);
        std::size_t filled = 0;
        while (true) {
            if (filled == bytes.size()) {
                if (filled >= limit) break;
                // The file grew, or reports no size: read on in larger steps.
                bytes.resize(std::min(limit, std::max<std::size_t>(filled * 2, 4096)));
            }
            ssize_t got = ::read(descriptor, &bytes[filled], bytes.size() - filled);
            if (got < 0) {
                if (errno == EINTR) continue;
                int code = errno;
                ::close(descriptor);
                return SystemError("cannot read", path, code);
            }
            if (got == 0) break;
            filled += static_cast<std::size_t>(got);
        }
        bytes.resize(filled);
        if (filled >= limit) {
            char probe;
            ssize_t more;
            do more = ::read(descriptor, &probe, 1);
            while (more < 0 && errno == EINTR);
            content.complete = more == 0;
        }
        ::close(descriptor);
        return Status::Ok();
    }

    Expected<std::string> ResolveLinks(const std::string& path) override {
        Expected<std::string> native = NativePath(path);
        if (!native) return native.error();
        char resolved[PATH_MAX];
        if (::realpath(native->c_str(), resolved) == nullptr) {
            if (errno == ENOENT) return path;
            return SystemError("cannot resolve", path, errno);
        }
        return FromNative(resolved);
    }

    Expected<std::unique_ptr<OutputFile>> CreateTemporary(const std::string& directory,
                                                          const std::string& stem) override {
        Expected<std::string> native = NativePath(directory + stem);
        if (!native) return native.error();
        std::string pattern = *native + ".XXXXXX";
        int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (descriptor < 0)
            return SystemError("cannot create a temporary file in the folder", directory, errno);
        // mkstemp creates 0600; a file that ends up new gets what the user's umask allows instead
        // (ReplaceFile gives an existing file's bits back to its replacement).
        mode_t mask = ::umask(0);
        ::umask(mask);
        (void)::fchmod(descriptor, 0666 & ~mask);
        return std::unique_ptr<OutputFile>(
            std::make_unique<PosixOutputFile>(descriptor, FromNative(pattern)));
    }

    Expected<std::unique_ptr<OutputFile>> OpenForOverwrite(const std::string& path) override {
        Expected<std::string> native = NativePath(path);
        if (!native) return native.error();
        int descriptor = ::open(native->c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (descriptor < 0) return SystemError("cannot open for writing", path, errno);
        return std::unique_ptr<OutputFile>(std::make_unique<PosixOutputFile>(descriptor, path));
    }

    Status SetPermissions(const std::string& path, std::uint32_t permissions) override {
        Expected<std::string> native = NativePath(path);
        if (!native) return native.error();
        if (::chmod(native->c_str(), static_cast<mode_t>(permissions)) != 0)
            return SystemError("cannot set the permissions of", path, errno);
        return Status::Ok();
    }

    Status Rename(const std::string& from, const std::string& to) override {
        Expected<std::string> nativeFrom = NativePath(from);
        Expected<std::string> nativeTo = NativePath(to);
        if (!nativeFrom) return nativeFrom.error();
        if (!nativeTo) return nativeTo.error();
        if (::rename(nativeFrom->c_str(), nativeTo->c_str()) != 0)
            return SystemError("cannot replace", to, errno);
        return Status::Ok();
    }

    Status Remove(const std::string& path) override {
        Expected<std::string> native = NativePath(path);
        if (!native) return native.error();
        if (::unlink(native->c_str()) != 0) return SystemError("cannot remove", path, errno);
        return Status::Ok();
    }

    Status SyncDirectory(const std::string& directory) override {
        Expected<std::string> native = NativePath(directory);
        if (!native) return native.error();
        int descriptor = ::open(native->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor < 0) return SystemError("cannot open the folder", directory, errno);
        int result = ::fsync(descriptor);
        int code = errno;
        ::close(descriptor);
        if (result != 0) return SystemError("cannot flush the folder", directory, code);
        return Status::Ok();
    }

    Status CreateDirectories(const std::string& directory) override {
        Expected<std::string> native = NativePath(directory);
        if (!native) return native.error();
        std::string partial;
        for (std::size_t i = 0; i <= native->size(); ++i) {
            if (i < native->size() && (*native)[i] != '/') continue;
            partial = native->substr(0, i);
            if (partial.empty()) continue;
            if (::mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST)
                return SystemError("cannot create the folder", directory, errno);
        }
        struct stat status;
        if (::stat(native->c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
            return Error{"is not a folder", directory, ErrorKind::NotFolder};
        return Status::Ok();
    }
};

}  // namespace

FileSystem& FileSystem::Real() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}

}  // namespace korvexer

#endif  // _WIN32
