// SPDX-License-Identifier: MIT
// Test helpers on POSIX and on Windows.
#include "tests/support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace korvexer::test_support {

std::string AsColumn(const std::string& text) {
    std::string column;
    for (char byte : text) column += byte == '\\' ? std::string("\\\\") : std::string(1, byte);
    return column;
}

#ifdef _WIN32

namespace {

constexpr UINT kGbkCodePage = 936;

std::wstring Widen(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                                   static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) throw std::runtime_error("text cannot be converted: " + text);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        wide.data(), size);
    return wide;
}

std::string NarrowToGbk(const std::wstring& wide) {
    if (wide.empty()) return {};
    int size = WideCharToMultiByte(kGbkCodePage, 0, wide.data(), static_cast<int>(wide.size()),
                                   nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(kGbkCodePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                        size, nullptr, nullptr);
    return text;
}

// Test paths are GBK bytes, as the core's are.
std::filesystem::path NativePath(const std::string& path) {
    return std::filesystem::path(Widen(path, kGbkCodePage));
}

// One argument quoted so that the C runtime's command-line parser gives it back unchanged.
std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes double only where a quote follows them.
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

HANDLE OpenInheritable(const std::string& path, bool forWriting) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE handle =
        CreateFileW(NativePath(path).c_str(), forWriting ? GENERIC_WRITE : GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                    forWriting ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
    return handle;
}

}  // namespace

TempDir::TempDir() {
    std::wstring base = std::filesystem::temp_directory_path().wstring();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = base + L"korvexer-test-" + std::to_wstring(GetCurrentProcessId()) +
                                 L"-" +
                                 std::to_wstring(GetTickCount64() + static_cast<unsigned>(attempt));
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            m_path = NarrowToGbk(candidate);
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::path root = NativePath(m_path);
    // Tests may leave read-only files behind; make them removable first.
    for (auto it = std::filesystem::recursive_directory_iterator(root, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(root, ignored);
}

std::string TempDir::File(const std::string& name) const {
    // Names are written with '/' in the tests; Windows paths take '\\'. A '/' byte is never the
    // second byte of a GBK character, so the byte-wise replacement is safe.
    std::string native = name;
    for (char& byte : native)
        if (byte == '/') byte = '\\';
    return m_path + "\\" + native;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(NativePath(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(NativePath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool PathExists(const std::string& path) {
    return GetFileAttributesW(NativePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CopyTree(const std::string& from, const std::string& to) {
    // File by file: the MinGW library's recursive copy refuses a folder that exists.
    namespace fs = std::filesystem;
    const fs::path source = NativePath(from), target = NativePath(to);
    fs::create_directories(target);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
        const fs::path destination = target / fs::relative(entry.path(), source);
        if (entry.is_directory())
            fs::create_directories(destination);
        else
            fs::copy_file(entry.path(), destination, fs::copy_options::overwrite_existing);
    }
}

void MakeHardLink(const std::string& existing, const std::string& link) {
    if (!CreateHardLinkW(NativePath(link).c_str(), NativePath(existing).c_str(), nullptr))
        throw std::runtime_error("cannot link " + link + " to " + existing);
}

void MakeDirectory(const std::string& path) {
    if (!CreateDirectoryW(NativePath(path).c_str(), nullptr))
        throw std::runtime_error("cannot create the folder " + path);
}

void MakeReadOnly(const std::string& path) {
    if (!SetFileAttributesW(NativePath(path).c_str(), FILE_ATTRIBUTE_READONLY))
        throw std::runtime_error("cannot make read-only: " + path);
}

CommandResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input) {
    // The tools read their arguments as UTF-8, or as GBK when told "--encoding gbk"; the
    // arguments are handed over in the form the tool will read them back in.
    UINT codePage = CP_UTF8;
    for (std::size_t i = 0; i < arguments.size(); ++i)
        if (arguments[i] == "--encoding=gbk" ||
            (arguments[i] == "--encoding" && i + 1 < arguments.size() && arguments[i + 1] == "gbk"))
            codePage = kGbkCodePage;
    std::wstring commandLine = Quoted(Widen(program, kGbkCodePage));
    for (const std::string& argument : arguments) {
        std::wstring wide;
        try {
            wide = Widen(argument, codePage);
        } catch (const std::runtime_error&) {
            // Bytes that are not text in the tool's encoding: pass them as GBK, as a user's
            // system in that code page would.
            wide = Widen(argument, kGbkCodePage);
        }
        commandLine += L" " + Quoted(wide);
    }

    // Input, output and errors go through temporary files so that no pipe can fill up and block.
    TempDir scratch;
    std::string inPath = scratch.File("in"), outPath = scratch.File("out"),
                errPath = scratch.File("err");
    WriteBytes(inPath, input);
    HANDLE in = OpenInheritable(inPath, false);
    HANDLE out = OpenInheritable(outPath, true);
    HANDLE err = OpenInheritable(errPath, true);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                  nullptr, &startup, &process);
    CloseHandle(in);
    CloseHandle(out);
    CloseHandle(err);
    CommandResult result;
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code)) result.exitCode = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        result.exitCode = 127;
    }
    result.out = ReadBytes(outPath);
    result.err = ReadBytes(errPath);
    return result;
}

#else

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvexer-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests may leave read-only files and folders behind; make them removable first.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::File(const std::string& name) const {
    return m_path + "/" + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool PathExists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

void CopyTree(const std::string& from, const std::string& to) {
    std::filesystem::copy(from, to,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
}

void MakeHardLink(const std::string& existing, const std::string& link) {
    if (::link(existing.c_str(), link.c_str()) != 0)
        throw std::runtime_error("cannot link " + link + " to " + existing);
}

void MakeDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0)
        throw std::runtime_error("cannot create the folder " + path);
}

void MakeReadOnly(const std::string& path) {
    if (::chmod(path.c_str(), 0444) != 0)
        throw std::runtime_error("cannot make read-only: " + path);
}

CommandResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input) {
    // Input, output and errors go through temporary files so that no pipe can fill up and block.
    TempDir scratch;
    std::string inPath = scratch.File("in"), outPath = scratch.File("out"),
                errPath = scratch.File("err");
    WriteBytes(inPath, input);
    pid_t child = ::fork();
    if (child == 0) {
        if (!std::freopen(inPath.c_str(), "rb", stdin) ||
            !std::freopen(outPath.c_str(), "wb", stdout) ||
            !std::freopen(errPath.c_str(), "wb", stderr))
            ::_exit(127);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    CommandResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadBytes(outPath);
    result.err = ReadBytes(errPath);
    return result;
}

#endif  // _WIN32

std::string RowEscaped(std::string text) {
    for (std::size_t at = text.find('\\'); at != std::string::npos; at = text.find('\\', at + 2))
        text.insert(at, 1, '\\');
    return text;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

}  // namespace korvexer::test_support
