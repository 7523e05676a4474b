// SPDX-License-Identifier: MIT
// Standard input as the file "-".
#include "cli/standard_input_file_system.h"

#include <istream>
#include <iterator>

namespace korvexer::cli {

namespace {

constexpr const char* kStandardInput = "-";

Error NotWritable() {
    return Error{"standard input cannot be written", kStandardInput};
}

}  // namespace

StandardInputFileSystem::StandardInputFileSystem(FileSystem& real, std::istream& in)
    : ForwardingFileSystem(real), m_in(in) {}

const std::string& StandardInputFileSystem::Input() {
    if (!m_input)
        m_input.emplace(std::istreambuf_iterator<char>(m_in), std::istreambuf_iterator<char>());
    return *m_input;
}

bool StandardInputFileSystem::Exists(const std::string& path) {
    return path == kStandardInput || ForwardingFileSystem::Exists(path);
}

Expected<FileInfo> StandardInputFileSystem::Stat(const std::string& path) {
    if (path != kStandardInput) return ForwardingFileSystem::Stat(path);
    FileInfo info;
    info.isRegular = true;
    info.permissions = 0444;
    info.identity.size = Input().size();
    return info;
}

Expected<FileContent> StandardInputFileSystem::Read(const std::string& path, std::size_t limit) {
    if (path != kStandardInput) return ForwardingFileSystem::Read(path, limit);
    const std::string& input = Input();
    FileContent content;
    content.bytes = input.substr(0, limit);
    content.complete = input.size() <= limit;
    content.identity.size = input.size();
    return content;
}

Expected<std::string> StandardInputFileSystem::ResolveLinks(const std::string& path) {
    if (path == kStandardInput) return path;
    return ForwardingFileSystem::ResolveLinks(path);
}

Expected<std::unique_ptr<OutputFile>> StandardInputFileSystem::OpenForOverwrite(
    const std::string& path) {
    if (path == kStandardInput) return NotWritable();
    return ForwardingFileSystem::OpenForOverwrite(path);
}

Status StandardInputFileSystem::Rename(const std::string& from, const std::string& to) {
    if (to == kStandardInput) return NotWritable();
    return ForwardingFileSystem::Rename(from, to);
}

}  // namespace korvexer::cli
