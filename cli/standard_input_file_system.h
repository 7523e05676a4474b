// SPDX-License-Identifier: MIT
// StandardInputFileSystem: the file system of korvexer-cli, where the file "-" is standard input.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "core/platform/forwarding_file_system.h"

namespace korvexer::cli {

// Every path goes to `real` but "-", which reads what standard input holds (read whole the first
// time it is asked for) and can never be written.
class StandardInputFileSystem : public ForwardingFileSystem {
public:
    StandardInputFileSystem(FileSystem& real, std::istream& in);

    bool Exists(const std::string& path) override;
    Expected<FileInfo> Stat(const std::string& path) override;
    Expected<FileContent> Read(const std::string& path, std::size_t limit) override;
    Expected<std::string> ResolveLinks(const std::string& path) override;
    Expected<std::unique_ptr<OutputFile>> OpenForOverwrite(const std::string& path) override;
    Status Rename(const std::string& from, const std::string& to) override;

private:
    const std::string& Input();

    std::istream& m_in;
    std::optional<std::string> m_input;
};

}  // namespace korvexer::cli
