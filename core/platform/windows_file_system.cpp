// SPDX-License-Identifier: MIT
// FileSystem on Windows: GBK paths become UTF-16 names for the wide Win32 file functions.
#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// The Win32 names of these would hide the file layer's own.
#undef CopyFile
#undef ReplaceFile

#include <algorithm>
#include <atomic>
#include <climits>

#include "core/platform/file_system.h"
#include "core/platform/gbk_text.h"

namespace korvexer {

namespace {

constexpr UINT kGbkCodePage = 936;

// The attributes a replaced file keeps; the others describe the file's kind or storage.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Windows has one "read-only" attribute where POSIX has permission bits: the core sees a
// read-only file as r--r--r-- and any other as rw-rw-rw-.
constexpr std::uint32_t kReadOnlyMode = 0444;
constexpr std::uint32_t kWritableMode = 0666;

// Seconds between 1601-01-01, where FILETIME counts from, and 1970-01-01.
constexpr std::int64_t kFileTimeToUnixSeconds = 11644473600LL;

// The GBK form of a name the system gave us; a character GBK lacks becomes '?', as the
// platform's own narrow functions would show it.
std::string FromWide(const std::wstring& wide) {
    if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX)) return {};
    int wideSize = static_cast<int>(wide.size());
    int size =
        WideCharToMultiByte(kGbkCodePage, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(kGbkCodePage, 0, wide.data(), wideSize, text.data(), size, nullptr,
                        nullptr);
    return text;
}

ErrorKind KindOf(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return ErrorKind::NotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return ErrorKind::AccessDenied;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ErrorKind::DiskFull;
        case ERROR_WRITE_PROTECT:
            return ErrorKind::ReadOnlyDisk;
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_INVALID_NAME:
            return ErrorKind::NameUnusable;
        default:
            return ErrorKind::Other;
    }
}

Error SystemError(const std::string& what, const std::string& path, DWORD code) {
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring message =
        length > 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
    if (buffer != nullptr) LocalFree(buffer);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    std::string text = FromWide(message);
    if (text.empty()) text = "system error " + std::to_string(code);
    return Error{what + ": " + text, path, KindOf(code), static_cast<int>(code)};
}

Error LastError(const std::string& what, const std::string& path) {
    return SystemError(what, path, GetLastError());
}

// The UTF-16 name of a GBK path. Converting the whole path at once keeps a '\\' that is the second
// byte of a two-byte character inside its character.
Expected<std::wstring> NativePath(const std::string& path) {
    if (path.empty()) return Error{"empty file name", path, ErrorKind::NameUnusable};
    // The wide functions would stop at a NUL and open the file the name's start names.
    if (path.find('\0') != std::string::npos)
        return Error{"the file name holds a NUL byte", path, ErrorKind::NameUnusable};
    if (path.size() > static_cast<std::size_t>(INT_MAX))
        return Error{"the file name is too long", path, ErrorKind::NameUnusable};
    int size = static_cast<int>(path.size());
    int wideSize =
        MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
    if (wideSize <= 0)
        return Error{"the file name cannot be converted for this system", path,
                     ErrorKind::NameUnusable};
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(),
                        wideSize);
    return wide;
}

std::int64_t FileTimeToUnixNs(const FILETIME& time) {
    std::int64_t ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return (ticks - kFileTimeToUnixSeconds * 10000000) * 100;
}

FileInfo InfoFrom(const BY_HANDLE_FILE_INFORMATION& status, DWORD fileType) {
    FileInfo info;
    info.isDirectory = (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.isRegular = !info.isDirectory && fileType == FILE_TYPE_DISK;
    info.permissions =
        (status.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? kReadOnlyMode : kWritableMode;
    info.linkCount = status.nNumberOfLinks;
    info.identity.size =
        (static_cast<std::uint64_t>(status.nFileSizeHigh) << 32) | status.nFileSizeLow;
    info.identity.modifiedNs = FileTimeToUnixNs(status.ftLastWriteTime);
    info.identity.device = status.dwVolumeSerialNumber;
    info.identity.inode =
        (static_cast<std::uint64_t>(status.nFileIndexHigh) << 32) | status.nFileIndexLow;
    return info;
}

// Closes a handle when it leaves scope.
class HandleCloser {
public:
    explicit HandleCloser(HANDLE handle) : m_handle(handle) {}
    ~HandleCloser() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    }
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;

private:
    HANDLE m_handle;
};

Expected<FileInfo> InfoOfHandle(HANDLE handle, const std::string& path) {
    BY_HANDLE_FILE_INFORMATION status;
    if (!GetFileInformationByHandle(handle, &status)) return LastError("cannot examine", path);
    return InfoFrom(status, GetFileType(handle));
}

class WindowsOutputFile : public OutputFile {
public:
    WindowsOutputFile(HANDLE handle, std::string path)
        : m_handle(handle), m_path(std::move(path)) {}
    ~WindowsOutputFile() override {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    }

    const std::string& path() const override { return m_path; }

    Status Write(std::string_view data) override {
        while (!data.empty()) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 30));
            DWORD written = 0;
            if (!WriteFile(m_handle, data.data(), chunk, &written, nullptr))
                return LastError("cannot write", m_path);
            if (written == 0)
                return Error{"cannot write: the disk took no bytes", m_path, ErrorKind::DiskFull};
            data.remove_prefix(written);
        }
        return Status::Ok();
    }

    Status Flush() override {
        if (!FlushFileBuffers(m_handle)) return LastError("cannot flush", m_path);
        return Status::Ok();
    }

    Status Close() override {
        HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle)) return LastError("cannot close", m_path);
        return Status::Ok();
    }

private:
    HANDLE m_handle;
    std::string m_path;
};

// A name no other temporary file of this or another process is likely to have; CREATE_NEW makes
// sure, and the caller tries again on a clash.
std::string TemporarySuffix() {
    static std::atomic<unsigned> counter{0};
    unsigned long long mix = (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^
                             GetTickCount64() ^ (static_cast<unsigned long long>(++counter) << 20);
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        suffix += kDigits[mix % 36];
        mix /= 36;
    }
    return suffix;
}

class WindowsFileSystem : public FileSystem {
public:
    bool Exists(const std::string& path) override {
        Expected<std::wstring> native = NativePath(path);
        return native && GetFileAttributesW(native->c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    Expected<FileInfo> Stat(const std::string& path) override {
        Expected<std::wstring> native = NativePath(path);
        if (!native) return native.error();
        // Opening the file follows links to their target; backup semantics open folders too.
        HANDLE handle = CreateFileW(native->c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return LastError("cannot examine", path);
        HandleCloser closer(handle);
        return InfoOfHandle(handle, path);
    }

    Expected<FileContent> Read(const std::string& path, std::size_t limit) override {
        Expected<std::wstring> native = NativePath(path);
        if (!native) return native.error();
        HANDLE handle = CreateFileW(native->c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return LastError("cannot open", path);
        HandleCloser closer(handle);
        Expected<FileInfo> info = InfoOfHandle(handle, path);
        if (!info) return info.error();
        if (!info->isRegular)
            return Error{"is not a regular file", path, ErrorKind::NotRegularFile};

        FileContent content;
        content.identity = info->identity;
        std::size_t expected = static_cast<std::size_t>(info->identity.size);
        // One spare byte lets the read that meets the end of the file land without a resize.
        content.bytes.resize(expected < limit ? expected + 1 : limit);
        std::size_t filled = 0;
        while (true) {
            if (filled == content.bytes.size()) {
                if (filled >= limit) break;
                // The file grew since it was examined: read on in larger steps.
                content.bytes.resize(std::min(limit, std::max<std::size_t>(filled * 2, 4096)));
            }
            DWORD want =
                static_cast<DWORD>(std::min<std::size_t>(content.bytes.size() - filled, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(handle, &content.bytes[filled], want, &got, nullptr))
                return LastError("cannot read", path);
            if (got == 0) break;
            filled += got;
        }
        content.bytes.resize(filled);
        if (filled >= limit) {
            char probe;
            DWORD more = 0;
            if (!ReadFile(handle, &probe, 1, &more, nullptr)) return LastError("cannot read", path);
            content.complete = more == 0;
        }
        return content;
    }

    Expected<std::string> ResolveLinks(const std::string& path) override {
        Expected<std::wstring> native = NativePath(path);
        if (!native) return native.error();
        DWORD attributes = GetFileAttributesW(native->c_str());
        // Only a link needs resolving; any other path stays in the form the caller gave.
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            DWORD code = GetLastError();
            if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return path;
            return SystemError("cannot resolve", path, code);
        }
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return path;
        HANDLE handle = CreateFileW(native->c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return LastError("cannot resolve", path);
        HandleCloser closer(handle);
        std::wstring resolved(MAX_PATH, L'\0');
        DWORD length =
            GetFinalPathNameByHandleW(handle, resolved.data(), static_cast<DWORD>(resolved.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length >= resolved.size()) {
            resolved.assign(length + 1, L'\0');
            length = GetFinalPathNameByHandleW(handle, resolved.data(),
                                               static_cast<DWORD>(resolved.size()),
                                               FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        }
        if (length == 0 || length >= resolved.size()) return LastError("cannot resolve", path);
        resolved.resize(length);
        // The function answers with the long-path prefix: \\?\C:\... or \\?\UNC\server\...
        if (resolved.rfind(L"\\\\?\\UNC\\", 0) == 0)
            resolved = L"\\\\" + resolved.substr(8);
        else if (resolved.rfind(L"\\\\?\\", 0) == 0)
            resolved.erase(0, 4);
        std::string gbkPath = FromWide(resolved);
        if (gbkPath.empty() || !NativePath(gbkPath))
            return Error{"the link's target has a name that cannot be converted", path,
                         ErrorKind::NameUnusable};
        return gbkPath;
    }

    Expected<std::unique_ptr<OutputFile>> CreateTemporary(const std::string& directory,
                                                          const std::string& stem) override {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string path = directory + stem + "." + TemporarySuffix() + ".tmp";
            Expected<std::wstring> native = NativePath(path);
            if (!native) return native.error();
            HANDLE handle = CreateFileW(native->c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0,
                                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE)
                return std::unique_ptr<OutputFile>(
                    std::make_unique<WindowsOutputFile>(handle, path));
            DWORD code = GetLastError();
            if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS)
                return SystemError("cannot create a temporary file in the folder", directory, code);
        }
        return Error{"cannot create a temporary file in the folder: every name was taken",
                     directory, ErrorKind::NoFreeName};
    }

    Expected<std::unique_ptr<OutputFile>> OpenForOverwrite(const std::string& path) override {
        Expected<std::wstring> native = NativePath(path);
        if (!native) return native.error();
        // OPEN_ALWAYS and an explicit truncation keep the file's attributes and its other links,
        // where CREATE_ALWAYS would reset the attributes.
        HANDLE handle = CreateFileW(native->c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return LastError("cannot open for writing", path);
        if (!SetEndOfFile(handle)) {
            Error error = LastError("cannot truncate", path);
            CloseHandle(handle);
            return error;
        }
        return std::unique_ptr<OutputFile>(std::make_unique<WindowsOutputFile>(handle, path));
    }

    Status SetPermissions(const std::string& path, std::uint32_t permissions) override {
        Expected<std::wstring> native = NativePath(path);
        if (!native) return native.error();
        DWORD attributes = GetFileAttributesW(native->c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return LastError("cannot set the attributes of", path);
        attributes &= kKeptAttributes;
        if ((permissions & 0200) == 0)
            attributes |= FILE_ATTRIBUTE_READONLY;
        else
            attributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
        if (!SetFileAttributesW(native->c_str(),
                                attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes))
            return LastError("cannot set the attributes of", path);
        return Status::Ok();
    }

    Status Rename(const std::string& from, const std::string& to) override {
        Expected<std::wstring> nativeFrom = NativePath(from);
        if (!nativeFrom) return nativeFrom.error();
        Expected<std::wstring> nativeTo = NativePath(to);
        if (!nativeTo) return nativeTo.error();
        if (GetFileAttributesW(nativeTo->c_str()) != INVALID_FILE_ATTRIBUTES) {
            // ReplaceFileW swaps the new content in under the old file's identity: its
            // attributes, creation time and security stay those of the replaced file.
            if (ReplaceFileW(nativeTo->c_str(), nativeFrom->c_str(), nullptr,
                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
                return Status::Ok();
            DWORD code = GetLastError();
            // ERROR_UNABLE_TO_MOVE_REPLACEMENT(_2): the old file is gone and the new one kept its
            // temporary name; put it in place, or the target would stay missing.
            if (code != ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
                code != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
                return SystemError("cannot replace", to, code);
        }
        if (!MoveFileExW(nativeFrom->c_str(), nativeTo->c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return LastError("cannot rename", to);
        return Status::Ok();
    }

    Status Remove(const std::string& path) override {
        Expected<std::wstring> native = NativePath(path);
        if (!native) return native.error();
        if (DeleteFileW(native->c_str())) return Status::Ok();
        DWORD code = GetLastError();
        // A read-only file cannot be deleted until the attribute is cleared, where POSIX only asks
        // whether the folder can be written.
        DWORD attributes = GetFileAttributesW(native->c_str());
        if (code == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
            SetFileAttributesW(native->c_str(),
                               attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY))) {
            if (DeleteFileW(native->c_str())) return Status::Ok();
            code = GetLastError();
            SetFileAttributesW(native->c_str(), attributes);
        }
        return SystemError("cannot remove", path, code);
    }

    Status SyncDirectory(const std::string& directory) override {
        // Windows has no flush for a folder's entries: MoveFileExW with MOVEFILE_WRITE_THROUGH
        // and ReplaceFileW return once the rename is on disk. What is left to check is that the
        // folder is there.
        Expected<std::wstring> native = NativePath(directory);
        if (!native) return native.error();
        DWORD attributes = GetFileAttributesW(native->c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return LastError("cannot open the folder", directory);
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            return Error{"is not a folder", directory, ErrorKind::NotFolder};
        return Status::Ok();
    }

    Status CreateDirectories(const std::string& directory) override {
        Expected<std::wstring> native = NativePath(directory);
        if (!native) return native.error();
        const std::wstring& wide = *native;
        // Separators are found in the UTF-16 form, where no character hides a '\\'.
        for (std::size_t i = 0; i <= wide.size(); ++i) {
            if (i < wide.size() && wide[i] != L'\\' && wide[i] != L'/') continue;
            std::wstring partial = wide.substr(0, i);
            // Roots are no folders to create: "", "C:", "\\\\server\\share".
            if (partial.empty() || (partial.size() == 2 && partial[1] == L':')) continue;
            if (partial.rfind(L"\\\\", 0) == 0 &&
                std::count_if(partial.begin() + 2, partial.end(),
                              [](wchar_t c) { return c == L'\\' || c == L'/'; }) < 2)
                continue;
            if (!CreateDirectoryW(partial.c_str(), nullptr)) {
                DWORD code = GetLastError();
                if (code != ERROR_ALREADY_EXISTS)
                    return SystemError("cannot create the folder", directory, code);
            }
        }
        DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            return Error{"is not a folder", directory, ErrorKind::NotFolder};
        return Status::Ok();
    }
};

}  // namespace

FileSystem& FileSystem::Real() {
    static WindowsFileSystem fileSystem;
    return fileSystem;
}

}  // namespace korvexer

#endif  // _WIN32
