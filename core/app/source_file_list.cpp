// SPDX-License-Identifier: MIT
// The source-file list of the main window: adding with its refusals, selecting and deleting.
#include "core/app/source_file_list.h"

#include <utility>

#include "core/language/word_list.h"
#include "core/platform/gbk_text.h"
#include "core/platform/text_trim.h"

namespace korvexer {

FileNameRules FileNameRules::Native() {
#ifdef _WIN32
    return FileNameRules{false, '\\'};
#else
    return FileNameRules{true, '/'};
#endif
}

SourceFileList::SourceFileList(FileNameRules rules) : m_rules(rules) {}

void SourceFileList::Assign(std::vector<std::string> entries) {
    m_entries = std::move(entries);
    ResetSelection();
}

void SourceFileList::ResetSelection() {
    m_selected = kNone;
    m_deleteEnabled = false;
}

AddFilesResult SourceFileList::Add(const std::vector<std::string>& paths,
                                   std::string_view libraryFiles) {
    AddFilesResult result;
    for (const std::string& chosen : paths) {
        std::string path(TrimBlanks(chosen));
        if (path.empty()) continue;
        if (!m_rules.caseSensitive) gbk::ToLowerInPlace(path);
        if (Contains(path) || IsLibraryFile(path, libraryFiles)) {
            ++result.refused;
            continue;
        }
        m_entries.push_back(std::move(path));
        ++result.added;
    }
    return result;
}

bool SourceFileList::Contains(const std::string& path) const {
    for (const std::string& entry : m_entries) {
        if (m_rules.caseSensitive ? entry == path : gbk::EqualsNoCase(entry, path)) return true;
    }
    return false;
}

bool SourceFileList::IsLibraryFile(const std::string& path, std::string_view libraryFiles) const {
    if (libraryFiles.empty()) return false;
    // The separator may be '\\', which can be the second byte of a two-byte character.
    std::size_t separator = gbk::FindLastOf(path, std::string_view(&m_rules.separator, 1));
    std::string_view name(path);
    if (separator != std::string::npos) name.remove_prefix(separator + 1);
    return !name.empty() && WordListHas(libraryFiles, name);
}

bool SourceFileList::Select(std::size_t index) {
    if (index >= m_entries.size()) return false;
    m_selected = index;
    m_deleteEnabled = true;
    return true;
}

bool SourceFileList::DeleteSelected() {
    m_deleteEnabled = false;
    if (m_selected >= m_entries.size()) {
        m_selected = kNone;
        return false;
    }
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(m_selected));
    if (m_entries.empty()) {
        m_selected = kNone;
        return true;
    }
    if (m_selected == m_entries.size()) m_selected = 0;
    m_deleteEnabled = true;
    return true;
}

void SourceFileList::DeleteAll() {
    m_entries.clear();
    ResetSelection();
}

}  // namespace korvexer
