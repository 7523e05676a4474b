// SPDX-License-Identifier: MIT
// The scan drivers: one file, and the project's source-file list.
#include "core/scanner/source_scanner.h"

#include <utility>

#include "core/platform/path_case.h"
#include "core/scanner/candidate_lines.h"
#include "core/scanner/line_model.h"
#include "core/scanner/statement_walker.h"

namespace korvexer {

SourceScanner::SourceScanner(FileSystem& fs, const LanguageDefinition& language, const Clock& clock)
    : m_fs(fs), m_language(language), m_extractor(language, clock), m_words(language) {}

Status SourceScanner::ScanFile(RowList& rows, const std::string& path, std::uint32_t& counter,
                               ScanMode mode) const {
    LineModel model = LoadSourceLines(m_fs, path, m_language.carryreturn);
    if (model.readError) return *model.readError;
    RowNeedles clue = m_extractor.NeedlesOfRows(mode);
    if (clue.none) return Status::Ok();
    BlankBlockComments(m_language, model);
    StatementWalker walker(m_language, m_words, model);
    const std::size_t start = walker.Start(0);
    if (start == std::string::npos) return Status::Ok();
    // Past the markers each line is a statement or not by itself, so lines that cannot yield a
    // row are passed over without a look at them; most lines of a file are such lines.
    CandidateLines candidates(model, std::move(clue.needles), std::move(clue.followers));
    Statement statement;
    for (std::size_t i = candidates.NextFrom(start); i < model.LineCount();
         i = candidates.NextFrom(i + 1))
        if (walker.TakeLine(i, statement))
            m_extractor.Extract(rows, statement, path, counter, mode);
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
