// SPDX-License-Identifier: MIT
// CliContext: what every korvexer-cli command shares: options, encoding, output and exit status.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/language/language_definition.h"
#include "core/platform/expected.h"
#include "core/platform/file_system.h"
#include "core/platform/profile_store.h"

namespace korvexer::cli {

constexpr int kExitSuccess = 0;
constexpr int kExitFilesFailed = 1;
constexpr int kExitRefused = 2;  // a usage error or a refused operation

class CliContext {
public:
    CliContext(FileSystem& fs, std::ostream& out, std::ostream& err);

    FileSystem& fs() { return m_fs; }
    std::ostream& out() { return m_out; }
    std::ostream& err() { return m_err; }

    // Options of the command line, set while it is parsed.
    std::string settingsOption;  // --settings, in the user's encoding; empty for the default
    std::string encoding = "utf-8";
    int exitCode = kExitSuccess;

    bool PassesBytes() const { return encoding == "gbk"; }

    // GBK text as the user reads it, and the user's text as GBK. FromUser fails on text that has
    // no GBK form.
    std::string ToUser(std::string_view gbkText) const;
    Expected<std::string> FromUser(std::string_view userText) const;

    // The settings file: --settings, or the working copy that the window uses.
    Expected<ProfileStore> Settings();

    // The language definition that loading `index` gives from the settings file.
    Expected<LanguageDefinition> Language(int index);

    // Prints one row: columns escaped and joined by tabs.
    void PrintRow(const std::vector<std::string>& gbkColumns);
    // Reads rows in the same form from `in`; an error names the line that has no GBK form.
    Expected<std::vector<std::vector<std::string>>> ReadRows(std::istream& in);

    // Ends the command as refused: one line on standard error, exit status 2.
    int Refuse(const std::string& message);
    // A warning on standard error that does not change the exit status.
    void Warn(const std::string& message);

private:
    FileSystem& m_fs;
    std::ostream& m_out;
    std::ostream& m_err;
};

}  // namespace korvexer::cli
