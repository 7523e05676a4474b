// SPDX-License-Identifier: MIT
// SourceRewrite: one source file loaded for rewriting, edited line by line and written back whole.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/language/language_definition.h"
#include "core/platform/expected.h"
#include "core/platform/file_system.h"
#include "core/rewrite/row_edit.h"
#include "core/scanner/line_model.h"

namespace korvexer {

// A source file as the scanner numbers its lines (within its first kSourceReadLimit bytes the
// lines are the scanner's; past them the numbering goes on, so that rows a rewrite pushed past
// the limit can be taken back), together with everything needed to write it back without losing
// a byte: lines cut by the length limit are joined again, every line keeps its own break, and a
// trailing comment always goes to the end of the line as it stands in the file.
class SourceRewrite {
public:
    // Reads `path` whole, in the encoding that the project's choice gives its first
    // kSourceReadLimit bytes, as the scanner reads it. A file that cannot be read (or is too
    // large to be addressed by line offsets) has no lines and sets readError().
    SourceRewrite(FileSystem& fs, std::string path, LineBreak lineBreak,
                  SourceEncoding choice = SourceEncoding::Automatic);

    const std::string& path() const { return m_path; }
    // The encoding the file is read in; its lines are bytes of it.
    TextEncoding encoding() const { return m_model.encoding; }
    const std::optional<Error>& readError() const { return m_model.readError; }
    // The number of lines as the scanner counts them.
    std::size_t LineCount() const { return m_model.LineCount(); }
    // Whether the edits made so far leave the file's content different from what was read.
    bool changed() const;

    // Applies `edit` at `position` (line counted from 1, column in bytes of that line) and tells
    // what the row found there (EditLine). A line outside the file or a column at or past the end
    // of the line is NotThere and changes nothing.
    LineEditResult Apply(const RowPosition& position, const RowEdit& edit,
                         std::string_view commentPrefix);

    // The new content of the file: every line with its edits, each followed by the bytes that
    // followed it in the file (its own line break, or nothing after the last line).
    std::string Content() const;
    // The file as it was read.
    const std::string& original() const { return m_original; }
    // The whole physical line that holds entry `line` (counted from 0) of the line model, as read
    // and with the edits made so far; empty past the last line.
    std::string_view OriginalLine(std::size_t line) const;
    std::string_view EditedLine(std::size_t line) const;

    // Writes the "~" backup (the file as it was read), then replaces the file with Content().
    // Refuses a read-only file and a file that changed since it was read. On any failure the
    // file is left byte for byte as it was and the error names it.
    Status Write();

private:
    std::size_t ChainOf(std::size_t line) const { return m_chainStart[line]; }
    std::size_t ChainEnd(std::size_t first) const;
    // The text of the physical line that starts with entry `first`, edits included; valid until
    // the next edit.
    std::string_view ChainText(std::size_t first) const;
    std::string_view OriginalChainText(std::size_t first) const;
    // Appends what follows entry `last` in the file: its break, or nothing.
    void AppendTerminator(std::string& out, std::size_t last) const;

    FileSystem& m_fs;
    std::string m_path;
    std::string m_original;                 // the whole file as read
    LineModel m_model;                      // over all of it
    std::vector<std::size_t> m_chainStart;  // per entry, the first entry of its physical line
    std::unordered_map<std::size_t, std::string> m_edited;  // by first entry
};

}  // namespace korvexer
