// SPDX-License-Identifier: MIT
// One walk over the rows, grouped by file, so the cost grows with rows and bytes only.
#include "core/rewrite/apply_list_to_sources.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/list/list_texts.h"
#include "core/rewrite/source_rewrite.h"

namespace korvexer {

namespace {

struct FileRows {
    std::string path;
    std::vector<std::size_t> rows;  // in list order
};

}  // namespace

Expected<ApplyOutcome> ApplyListToSources(const RowList& rows, ListKind kind,
                                          const LanguageDefinition& language, FileSystem& fs,
                                          SourceEncoding encoding) {
    std::unordered_set<std::string_view> takenKeys;
    takenKeys.reserve(rows.size());
    std::unordered_map<std::string_view, std::size_t> groupOf;
    std::vector<FileRows> groups;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows.Text(row, kStepState) == texts::kStateUnknown) continue;
        if (!takenKeys.insert(rows.Text(row, kStepKey)).second) continue;
        const std::string& path = rows.Text(row, kStepFile);
        if (path.empty() || rows.Text(row, kStepPosition).empty()) continue;
        auto [group, added] = groupOf.try_emplace(path, groups.size());
        if (added) groups.push_back({path, {}});
        groups[group->second].rows.push_back(row);
    }

    if (!groups.empty()) {
        if (language.onelineexplain.empty())
            return Error{
                "the language has no one-line comment prefix, so replaced text cannot be "
                "kept in a comment: set a one-line comment prefix in the language "
                "settings; no file was changed",
                {}};
        if (kind == ListKind::Constants && language.quotation == 0)
            return Error{
                "the language has no string quote: set one in the language settings; "
                "no file was changed",
                {}};
    }

    ApplyOutcome outcome;
    const std::string& prefix = language.onelineexplain;
    const char quote = static_cast<char>(language.quotation);
    for (const FileRows& group : groups) {
        SourceRewrite file(fs, group.path, language.carryreturn, encoding);
        if (file.readError()) {
            Error error = *file.readError();
            if (error.path.empty()) error.path = group.path;
            outcome.unreadableFiles.push_back(std::move(error));
            continue;
        }
        for (std::size_t row : group.rows) {
            RowEdit edit = DeriveRowEdit(rows, row, kind, prefix, quote);
            file.Apply(ParseRowPosition(rows.Text(row, kStepPosition)), edit, prefix);
        }
        if (!file.changed()) continue;
        if (Status written = file.Write(); !written)
            outcome.failedFiles.push_back(written.error());
        else
            outcome.changedFiles.push_back(group.path);
    }
    return outcome;
}

}  // namespace korvexer
