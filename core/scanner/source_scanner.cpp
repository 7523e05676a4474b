// SPDX-License-Identifier: MIT
// The scan drivers: one file, and the project's source-file list.
#include "core/scanner/source_scanner.h"

#include "core/platform/path_case.h"
#include "core/scanner/buffer_scan.h"
#include "core/scanner/line_model.h"

namespace korvexer {

struct SourceScanner::Scans {
    Scans(const SourceScanner& scanner, ScanMode mode)
        : gbk(scanner.m_gbk.rules, scanner.m_gbk.extractor, mode),
          utf8(scanner.m_utf8.rules, scanner.m_utf8.extractor, mode) {}
    BufferScan gbk;
    BufferScan utf8;
};

SourceScanner::SourceScanner(FileSystem& fs, const LanguageDefinition& language, const Clock& clock,
                             SourceEncoding choice)
    : m_fs(fs),
      m_choice(choice),
      m_gbk(language, clock, TextEncoding::Gbk),
      m_utf8(language, clock, TextEncoding::Utf8) {}

Status SourceScanner::ScanFile(RowList& rows, const std::string& path, std::uint32_t& counter,
                               ScanMode mode) const {
    FileContent buffer;
    return ScanInto(buffer, Scans(*this, mode), rows, path, counter);
}

Status SourceScanner::ScanInto(FileContent& buffer, const Scans& scans, RowList& rows,
                               const std::string& path, std::uint32_t& counter) const {
    if (Status read = m_fs.ReadInto(path, kSourceReadLimit, buffer); !read) return read;
    bool undecodable = false;
    const TextEncoding encoding = EncodingOf(m_choice, buffer.bytes, &undecodable);
    m_encodings[path] = encoding;
    if (undecodable) m_notices.push_back({ScanNotice::Kind::Undecodable, path});
    const BufferScan& scan = encoding == TextEncoding::Utf8 ? scans.utf8 : scans.gbk;
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
    // One buffer and one pair of scans, with their needles, serve every file in turn.
    FileContent buffer;
    const Scans scans(*this, mode);
    for (const std::string& file : *sourceFiles) {
        std::string key = PathCaseKey(file);
        if (key == mainKey) continue;
        Status status = ScanInto(buffer, scans, rows, key, counter);
        if (!status) failures.push_back(status.error());
    }
    return failures;
}

}  // namespace korvexer
