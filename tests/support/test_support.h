// SPDX-License-Identifier: MIT
// Helpers shared by the test suites: temporary folders, whole-file reads and writes, running the
// CLI.
#pragma once

#include <string>
#include <vector>

namespace korvexer::test_support {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // path() + the platform's separator + name, the '/' in `name` turned into the platform's
    // separator (a Windows path takes '\\' throughout).
    std::string File(const std::string& name) const;

private:
    std::string m_path;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);  // "" when the file cannot be read
// `text` as rows and JSON write it: every backslash doubled (a Windows path in a row).
std::string RowEscaped(std::string text);
// How often `part` stands in `text`, overlapping finds counted.
std::size_t Count(const std::string& text, const std::string& part);
bool PathExists(const std::string& path);
// Copies the folder `from` with everything in it into the existing folder `to`; throws on failure.
void CopyTree(const std::string& from, const std::string& to);
// Gives the file `existing` the second name `link` (a hard link); throws when that fails.
void MakeHardLink(const std::string& existing, const std::string& link);
// Creates one folder; throws when that fails.
void MakeDirectory(const std::string& path);
// Takes the right to write away from everyone (POSIX mode 0444, the read-only attribute on
// Windows); throws when that fails.
void MakeReadOnly(const std::string& path);

// A column as korvexer-cli prints and reads it: every backslash byte doubled (Windows paths hold
// them). Test columns hold no tab, CR or LF.
std::string AsColumn(const std::string& text);

struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs `program` with `arguments` (no shell), feeding `input` to its standard input.
CommandResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input = "");

}  // namespace korvexer::test_support
