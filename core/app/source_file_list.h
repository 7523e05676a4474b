// SPDX-License-Identifier: MIT
// SourceFileList: the project's source files as the main window lists them, with the rules for
// adding, selecting and deleting entries and the enabled states of the delete buttons.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvexer {

// How the platform's file names compare: Windows keeps names without regard to case and separates
// folders with '\\'; elsewhere names are case-sensitive and separated by '/'.
struct FileNameRules {
    bool caseSensitive = true;
    char separator = '/';

    // The rules of the platform the program was built for.
    static FileNameRules Native();
};

// What one add did: how many paths were appended and how many were refused as duplicates or as
// the runtime library's own files (blank paths count as neither).
struct AddFilesResult {
    std::size_t added = 0;
    std::size_t refused = 0;
};

// Full paths in the order they were added (the list never sorts), one selected entry or none, and
// the enabled state of the "delete" button. "Delete all" is enabled exactly when there are entries.
class SourceFileList {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    explicit SourceFileList(FileNameRules rules = FileNameRules::Native());

    const std::vector<std::string>& entries() const { return m_entries; }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    std::size_t selected() const { return m_selected; }
    bool deleteEnabled() const { return m_deleteEnabled; }
    bool deleteAllEnabled() const { return !m_entries.empty(); }

    // Replaces the entries with `entries` as they are (no case change, no checks), as the record
    // file gives them; the selection is dropped and "delete" disabled.
    void Assign(std::vector<std::string> entries);

    // Drops the selection and disables "delete", as after the window's initialisation or refresh.
    void ResetSelection();

    // Appends `paths` in order. Each is trimmed of blanks at both ends and skipped when empty; it
    // is refused when an entry equal to it exists (exactly where names are case-sensitive, else
    // without regard to case, the path then being stored lower-cased), or when its file name (the
    // text after the last separator) is a whole element of `libraryFiles` compared in lower case.
    AddFilesResult Add(const std::vector<std::string>& paths, std::string_view libraryFiles);

    // The user selected entry `index`: selects it and enables "delete". False (and nothing
    // changed) when `index` is not an entry.
    bool Select(std::size_t index);

    // Deletes the selected entry and selects the one that took its place, or the first when the
    // last was deleted; "delete" stays enabled while entries remain. Without a selection only
    // "delete" is disabled. True when an entry was deleted.
    bool DeleteSelected();

    // Empties the list, dropping the selection and disabling "delete".
    void DeleteAll();

private:
    bool Contains(const std::string& path) const;
    bool IsLibraryFile(const std::string& path, std::string_view libraryFiles) const;

    FileNameRules m_rules;
    std::vector<std::string> m_entries;
    std::size_t m_selected = kNone;
    bool m_deleteEnabled = false;
};

}  // namespace korvexer
