// SPDX-License-Identifier: MIT
// CliContext: what every korvexer-cli command shares: options, encoding, output and exit status.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/language/language_definition.h"
#include "core/platform/expected.h"
#include "core/platform/file_system.h"
#include "core/platform/profile_store.h"
#include "core/platform/text_encoding.h"
#include "core/scanner/file_encodings.h"

namespace korvexer::cli {

constexpr int kExitSuccess = 0;
constexpr int kExitFilesFailed = 1;
constexpr int kExitWouldChange = 1;  // a dry run: some file would change
constexpr int kExitDisagree = 1;     // project check: the record and the sources disagree
constexpr int kExitRefused = 2;      // a usage error or a refused operation

class CliContext {
public:
    CliContext(FileSystem& fs, std::ostream& out, std::ostream& err);

    FileSystem& fs() { return m_fs; }
    std::ostream& out() { return m_out; }
    std::ostream& err() { return m_err; }

    // Options of the command line, set while it is parsed.
    std::string settingsOption;  // --settings, in the user's encoding; empty for the default
    std::string encoding = "utf-8";
    std::string sourceEncoding = "auto";  // --source-encoding of the commands that take it
    std::string format = "text";          // --format of the commands that take it: text or json
    bool keepGoing = false;  // --keep-going: a file that cannot be read is a warning, not an error
    int exitCode = kExitSuccess;

    bool Json() const { return format == "json"; }

    bool PassesBytes() const { return encoding == "gbk"; }
    // The project's choice of source encoding that --source-encoding gives.
    SourceEncoding SourceEncodingChoice() const { return SourceEncodingNamed(sourceEncoding); }

    // Text as the user reads it, and the user's text as the bytes it stands for. Text of
    // `textEncoding` GBK (list texts, settings, paths, a GBK file's own text) is converted in the
    // utf-8 mode; a UTF-8 file's own text is shown as it is. FromUser fails on text that has no
    // GBK form where GBK is asked for.
    std::string ToUser(std::string_view text, TextEncoding textEncoding = TextEncoding::Gbk) const;
    Expected<std::string> FromUser(std::string_view userText,
                                   TextEncoding textEncoding = TextEncoding::Gbk) const;

    // The settings file: --settings, or the working copy that the window uses.
    Expected<ProfileStore> Settings();

    // The language definition that loading `index` gives from the settings file.
    Expected<LanguageDefinition> Language(int index);

    // Prints one row: columns escaped and joined by tabs, column i in encodings[i] where that is
    // given, else GBK.
    void PrintRow(const std::vector<std::string>& columns,
                  const std::vector<TextEncoding>& encodings = {});
    // Reads rows in the same form from `in`, every column GBK; an error names the line that has
    // no GBK form.
    Expected<std::vector<std::vector<std::string>>> ReadRows(std::istream& in);
    // Which columns of a row the user gave hold a source file's own text, and which its path.
    struct FileTextColumns {
        std::size_t path = 0;
        std::vector<std::size_t> texts;  // none: the row holds no file text
    };
    // ReadRows where the file texts of each row (as `layout` tells for it) are taken in their
    // file's encoding, which `files` finds from the row's path.
    Expected<std::vector<std::vector<std::string>>> ReadRows(
        std::istream& in,
        const std::function<FileTextColumns(const std::vector<std::string>&)>& layout,
        FileEncodings& files);

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
