// SPDX-License-Identifier: MIT
// SourceScanner: scans source files, statement by statement, into constant or call rows.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/list/row_list.h"
#include "core/language/language_definition.h"
#include "core/platform/clock.h"
#include "core/platform/expected.h"
#include "core/platform/file_system.h"
#include "core/platform/text_encoding.h"
#include "core/scanner/statement_extractor.h"
#include "core/scanner/statement_rules.h"

namespace korvexer {

class BufferScan;

// Something a scan noticed about a file that its user may want to set right.
struct ScanNotice {
    enum class Kind {
        OtherLineBreak,  // split at another line break than the language's: it holds none of them
        Undecodable,     // the project fixes an encoding that does not decode the file's bytes
    };
    Kind kind;
    std::string path;
};

// Scans source files with one language definition: each file is loaded once, read in the encoding
// that the project's choice gives it (EncodingOf), its block comments blanked, and every
// statement handed to a StatementExtractor; rows are appended in file and line order, without
// removing duplicates.
class SourceScanner {
public:
    // All three references must outlive the scanner. The clock numbers new constants.
    SourceScanner(FileSystem& fs, const LanguageDefinition& language, const Clock& clock,
                  SourceEncoding choice = SourceEncoding::Automatic);
    SourceScanner(FileSystem&, LanguageDefinition&&, const Clock&,
                  SourceEncoding = SourceEncoding::Automatic) = delete;  // would dangle
    SourceScanner(FileSystem&, const LanguageDefinition&, const Clock&&,
                  SourceEncoding = SourceEncoding::Automatic) = delete;

    // Appends the rows of the file `path` (as given, also in the rows) in line order. A file that
    // cannot be read adds no rows; its error is returned so that a caller may name it.
    Status ScanFile(RowList& rows, const std::string& path, std::uint32_t& counter,
                    ScanMode mode) const;

    // Scans every file of `sourceFiles` in order, except the main file `mainPath`, which the
    // caller scans first with ScanFile. Where file names ignore case, paths are compared and
    // scanned lower-cased; elsewhere as given. Does nothing when `sourceFiles` is null. Returns
    // the errors of the files that could not be read.
    std::vector<Error> ScanSourceFiles(RowList& rows, const std::vector<std::string>* sourceFiles,
                                       const std::string& mainPath, std::uint32_t& counter,
                                       ScanMode mode) const;

    // What the scans so far noticed, once per file scanned, in scan order.
    const std::vector<ScanNotice>& notices() const { return m_notices; }
    // The encoding each file scanned so far was read in, by path as the rows hold it.
    const std::unordered_map<std::string, TextEncoding>& encodings() const { return m_encodings; }

private:
    // The rules and the extractor of the files of one encoding.
    struct Reading {
        Reading(const LanguageDefinition& language, const Clock& clock, TextEncoding encoding)
            : rules(language, encoding), extractor(language, clock, encoding) {}
        StatementRules rules;
        StatementExtractor extractor;
    };
    // The scans of one mode, one per encoding.
    struct Scans;

    // ScanFile with `buffer` as the buffer the file is read into and `scans` as its scans.
    Status ScanInto(FileContent& buffer, const Scans& scans, RowList& rows, const std::string& path,
                    std::uint32_t& counter) const;

    FileSystem& m_fs;
    SourceEncoding m_choice;
    Reading m_gbk;
    Reading m_utf8;
    mutable std::vector<ScanNotice> m_notices;
    mutable std::unordered_map<std::string, TextEncoding> m_encodings;
};

}  // namespace korvexer
