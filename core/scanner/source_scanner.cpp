// SPDX-License-Identifier: MIT
// The scan drivers: one file, and the project's source-file list.
#include "core/scanner/source_scanner.h"

#include "core/platform/path_case.h"
#include "core/scanner/buffer_scan.h"
#include "core/scanner/line_model.h"

namespace korvexer {

SourceScanner::SourceScanner(FileSystem& fs, const LanguageDefinition& language, const Clock& clock)
    : m_fs(fs), m_extractor(language, clock), m_rules(language) {}

Status SourceScanner::ScanFile(RowList& rows, const std::string& path, std::uint32_t& counter,
                               ScanMode mode) const {
    FileContent buffer;
    return ScanInto(buffer, BufferScan(m_rules, m_extractor, mode), rows, path, counter);
}

Status SourceScanner::ScanInto(FileContent& buffer, const BufferScan& scan, RowList& rows,
                               const std::string& path, std::uint32_t& counter) const {
    if (Status read = m_fs.ReadInto(path, kSourceReadLimit, buffer); !read) return read;
    const FileScanNotes notes = scan.Run(buffer.bytes, rows, path, counter);
    if (notes.otherBreak) m_notices.push_back({ScanNotice::Kind::OtherLineBreak, path});
    return Status::Ok();
}

std::vector<Error> SourceScanner::ScanSourceFiles(RowList& rows,
                                                  const std::vector<std::string>* sourceFiles,
                                                  const std::string& mainPath,
                                                  std::uint32_t& counter, ScanMode mode) const {
    std::vector<Error> failures;
    if (sourceFiles == nullptr) return failures;
    const std::string mainKey = PathCaseKey(mainPath);
    // One buffer and one scan, with its needles, serve every file in turn.
    FileContent buffer;
    const BufferScan scan(m_rules, m_extractor, mode);
    for (const std::string& file : *sourceFiles) {
        std::string key = PathCaseKey(file);
        if (key == mainKey) continue;
        Status status = ScanInto(buffer, scan, rows, key, counter);
        if (!status) failures.push_back(status.error());
    }
    return failures;
}

}  // namespace korvexer
