// SPDX-License-Identifier: MIT
// SourceScanner: scans source files, statement by statement, into constant or call rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/list/row_list.h"
#include "core/language/language_definition.h"
#include "core/platform/clock.h"
#include "core/platform/expected.h"
#include "core/platform/file_system.h"
#include "core/scanner/statement_extractor.h"
#include "core/scanner/statement_rules.h"

namespace korvexer {

class BufferScan;

// Scans source files with one language definition: each file is loaded once, its block comments
// blanked, and every statement handed to a StatementExtractor; rows are appended in file and line
// order, without removing duplicates.
class SourceScanner {
public:
    // All three references must outlive the scanner. The clock numbers new constants.
    SourceScanner(FileSystem& fs, const LanguageDefinition& language, const Clock& clock);
    SourceScanner(FileSystem&, LanguageDefinition&&, const Clock&) = delete;  // would dangle
    SourceScanner(FileSystem&, const LanguageDefinition&, const Clock&&) = delete;

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

private:
    // ScanFile with `buffer` as the buffer the file is read into and `scan` as its scan.
    Status ScanInto(FileContent& buffer, const BufferScan& scan, RowList& rows,
                    const std::string& path, std::uint32_t& counter) const;

    FileSystem& m_fs;
    StatementExtractor m_extractor;
    StatementRules m_rules;
};

}  // namespace korvexer
