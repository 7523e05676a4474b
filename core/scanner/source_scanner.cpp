// SPDX-License-Identifier: MIT
// The scan drivers: one file, and the project's source-file list.
#include "core/scanner/source_scanner.h"

#include "core/platform/path_case.h"
#include "core/scanner/line_model.h"
#include "core/scanner/statement_walker.h"

namespace korvexer {

SourceScanner::SourceScanner(FileSystem& fs, const LanguageDefinition& language, const Clock& clock)
    : m_fs(fs), m_language(language), m_extractor(language, clock) {}

Status SourceScanner::ScanFile(RowList& rows, const std::string& path, std::uint32_t& counter,
                               ScanMode mode) const {
    LineModel model = LoadSourceLines(m_fs, path, m_language.carryreturn);
    if (model.readError) return *model.readError;
    BlankBlockComments(m_language, model);
    StatementWalker walker(m_language, model);
    Statement statement;
    for (std::size_t i = 0; i < model.LineCount(); i = statement.line + 1) {
        if (!walker.Next(i, statement)) break;
        m_extractor.Extract(rows, statement, path, counter, mode);
    }
    return Status::Ok();
}

std::vector<Error> SourceScanner::ScanSourceFiles(RowList& rows,
                                                  const std::vector<std::string>* sourceFiles,
                                                  const std::string& mainPath,
                                                  std::uint32_t& counter, ScanMode mode) const {
    std::vector<Error> failures;
    if (sourceFiles == nullptr) return failures;
    const std::string mainKey = PathCaseKey(mainPath);
    for (const std::string& file : *sourceFiles) {
        std::string key = PathCaseKey(file);
        if (key == mainKey) continue;
        Status status = ScanFile(rows, key, counter, mode);
        if (!status) failures.push_back(status.error());
    }
    return failures;
}

}  // namespace korvexer
