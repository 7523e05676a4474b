// SPDX-License-Identifier: MIT
// The shared parts of korvexer-cli's commands.
#include "cli/cli_context.h"

#include <istream>
#include <ostream>

#include "cli/row_format.h"
#include "core/platform/gbk_text.h"
#include "core/platform/settings_location.h"

namespace korvexer::cli {

CliContext::CliContext(FileSystem& fs, std::ostream& out, std::ostream& err)
    : m_fs(fs), m_out(out), m_err(err) {}

std::string CliContext::ToUser(std::string_view gbkText) const {
    return PassesBytes() ? std::string(gbkText) : gbk::ToUtf8Lossy(gbkText);
}

Expected<std::string> CliContext::FromUser(std::string_view userText) const {
    if (PassesBytes()) return std::string(userText);
    return gbk::FromUtf8(userText);
}

Expected<ProfileStore> CliContext::Settings() {
    if (!settingsOption.empty()) {
        Expected<std::string> path = FromUser(settingsOption);
        if (!path) return Error{"the settings file name: " + path.error().message, {}};
        return ProfileStore(m_fs, *path);
    }
    // The window's working copy: it is named after the window's executable, not after this one.
    Expected<std::string> path = WorkingSettingsPath("korvexer");
    if (!path) return path.error();
    return ProfileStore(m_fs, *path);
}

void CliContext::PrintRow(const std::vector<std::string>& gbkColumns) {
    std::string line;
    for (std::size_t i = 0; i < gbkColumns.size(); ++i) {
        if (i > 0) line += '\t';
        line += EscapeColumn(ToUser(gbkColumns[i]));
    }
    line += '\n';
    m_out << line;
}

Expected<std::vector<std::vector<std::string>>> CliContext::ReadRows(std::istream& in) {
    std::vector<std::vector<std::string>> rows;
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> columns = ParseRow(line);
        for (std::string& column : columns) {
            Expected<std::string> text = FromUser(column);
            if (!text)
                return Error{"input line " + std::to_string(number) + ": " + text.error().message,
                             {}};
            column = std::move(*text);
        }
        rows.push_back(std::move(columns));
    }
    return rows;
}

int CliContext::Refuse(const std::string& message) {
    m_err << "korvexer-cli: " << message << '\n';
    exitCode = kExitRefused;
    return kExitRefused;
}

void CliContext::Warn(const std::string& message) {
    m_err << "korvexer-cli: warning: " << message << '\n';
}

}  // namespace korvexer::cli
