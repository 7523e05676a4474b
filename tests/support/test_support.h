// SPDX-License-Identifier: MIT
// Helpers shared by the test suites: temporary folders, whole-file reads and writes, running the
// CLI.
#pragma once

#include <string>
#include <vector>

namespace korvexer::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // path() + "/" + name
    std::string File(const std::string& name) const;

private:
    std::string m_path;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);  // "" when the file cannot be read

struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs `program` with `arguments` (no shell), feeding `input` to its standard input.
CommandResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input = "");

}  // namespace korvexer::testing
