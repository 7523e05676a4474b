// SPDX-License-Identifier: MIT
// The encodings of files, read once.
#include "core/scanner/file_encodings.h"

#include "core/scanner/line_model.h"

namespace korvexer {

FileEncodings::FileEncodings(FileSystem& fs, SourceEncoding choice) : m_fs(fs), m_choice(choice) {}

TextEncoding FileEncodings::Of(const std::string& path) {
    if (auto known = m_known.find(path); known != m_known.end()) return known->second;
    TextEncoding encoding =
        m_choice == SourceEncoding::Utf8 ? TextEncoding::Utf8 : TextEncoding::Gbk;
    if (m_choice == SourceEncoding::Automatic)
        if (Expected<FileContent> content = m_fs.Read(path, kSourceReadLimit))
            encoding = EncodingOf(m_choice, content->bytes);
    m_known.emplace(path, encoding);
    return encoding;
}

void FileEncodings::Note(const std::unordered_map<std::string, TextEncoding>& found) {
    for (const auto& [path, encoding] : found) m_known.insert_or_assign(path, encoding);
}

}  // namespace korvexer
