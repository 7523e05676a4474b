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

std::string CliContext::ToUser(std::string_view text, TextEncoding textEncoding) const {
    if (PassesBytes() || textEncoding == TextEncoding::Utf8) return std::string(text);
    return gbk::ToUtf8Lossy(text);
}

Expected<std::string> CliContext::FromUser(std::string_view userText,
                                           TextEncoding textEncoding) const {
    if (PassesBytes() || textEncoding == TextEncoding::Utf8) return std::string(userText);
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

void CliContext::PrintRow(const std::vector<std::string>& columns,
                          const std::vector<TextEncoding>& encodings) {
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) line += '\t';
        line += EscapeColumn(
            ToUser(columns[i], i < encodings.size() ? encodings[i] : TextEncoding::Gbk));
    }
    line += '\n';
    m_out << line;
}

Expected<std::vector<std::vector<std::string>>> CliContext::ReadRows(std::istream& in) {
    FileEncodings none(m_fs, SourceEncoding::Gbk);
    return ReadRows(
        in, [](const std::vector<std::string>&) { return FileTextColumns{}; }, none);
}

Expected<std::vector<std::vector<std::string>>> CliContext::ReadRows(
    std::istream& in, const std::function<FileTextColumns(const std::vector<std::string>&)>& layout,
    FileEncodings& files) {
    std::vector<std::vector<std::string>> rows;
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> columns = ParseRow(line);
        const FileTextColumns texts = layout(columns);
        std::vector<TextEncoding> encodings(columns.size(), TextEncoding::Gbk);
        if (!texts.texts.empty() && texts.path < columns.size()) {
            // The path is GBK text; the file it names tells the encoding of its texts.
            Expected<std::string> path = FromUser(columns[texts.path]);
            const TextEncoding fileEncoding = path ? files.Of(*path) : TextEncoding::Gbk;
            for (const std::size_t column : texts.texts)
                if (column < encodings.size()) encodings[column] = fileEncoding;
        }
        for (std::size_t i = 0; i < columns.size(); ++i) {
            Expected<std::string> text = FromUser(columns[i], encodings[i]);
            if (!text)
                return Error{"input line " + std::to_string(number) + ": " + text.error().message,
                             {}};
            columns[i] = std::move(*text);
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
