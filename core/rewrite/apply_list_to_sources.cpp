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

// Reads each file that the rows take up (of `onlyFiles` alone, when given), in order, makes their
// edits in memory and hands it to `take`; the files that cannot be read go to `unreadable`.
// Refused as ApplyListToSources says.
template <typename Take>
Status RewriteFiles(const RowList& rows, ListKind kind, const LanguageDefinition& language,
                    FileSystem& fs, SourceEncoding encoding,
                    const std::unordered_set<std::string>* onlyFiles,
                    std::vector<Error>& unreadable, Take take) {
    std::unordered_set<std::string_view> takenKeys;
    takenKeys.reserve(rows.size());
    std::unordered_map<std::string_view, std::size_t> groupOf;
    std::vector<FileRows> groups;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows.Text(row, kStepState) == texts::kStateUnknown) continue;
        if (!takenKeys.insert(rows.Text(row, kStepKey)).second) continue;
        const std::string& path = rows.Text(row, kStepFile);
        if (path.empty() || rows.Text(row, kStepPosition).empty()) continue;
        // After its key is taken: a row of another file still keeps a later row of its key out.
        if (onlyFiles != nullptr && onlyFiles->count(path) == 0) continue;
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
                {},
                ErrorKind::NoCommentPrefix};
        if (kind == ListKind::Constants && language.quotation == 0)
            return Error{
                "the language has no string quote: set one in the language settings; "
                "no file was changed",
                {},
                ErrorKind::NoStringQuote};
    }

    const std::string& prefix = language.onelineexplain;
    const char quote = static_cast<char>(language.quotation);
    for (const FileRows& group : groups) {
        SourceRewrite file(fs, group.path, language.carryreturn, encoding);
        if (file.readError()) {
            Error error = *file.readError();
            if (error.path.empty()) error.path = group.path;
            unreadable.push_back(std::move(error));
            continue;
        }
        for (std::size_t row : group.rows) {
            RowEdit edit = DeriveRowEdit(rows, row, kind, prefix, quote);
            file.Apply(ParseRowPosition(rows.Text(row, kStepPosition)), edit, prefix);
        }
        take(file);
    }
    return Status::Ok();
}

}  // namespace

Expected<RewritePlan> PlanListOnSources(const RowList& rows, ListKind kind,
                                        const LanguageDefinition& language, FileSystem& fs,
                                        SourceEncoding encoding,
                                        const std::unordered_set<std::string>* onlyFiles) {
    RewritePlan plan;
    Status status =
        RewriteFiles(rows, kind, language, fs, encoding, onlyFiles, plan.unreadableFiles,
                     [&](SourceRewrite& file) { plan.files.push_back(std::move(file)); });
    if (!status) return status.error();
    return plan;
}

Expected<ApplyOutcome> ApplyListToSources(const RowList& rows, ListKind kind,
                                          const LanguageDefinition& language, FileSystem& fs,
                                          SourceEncoding encoding) {
    // Each file is written as soon as its edits are made: one file in memory at a time.
    ApplyOutcome outcome;
    Status status = RewriteFiles(rows, kind, language, fs, encoding, nullptr,
                                 outcome.unreadableFiles, [&](SourceRewrite& file) {
                                     if (!file.changed()) return;
                                     if (Status written = file.Write(); !written)
                                         outcome.failedFiles.push_back(written.error());
                                     else
                                         outcome.changedFiles.push_back(file.path());
                                 });
    if (!status) return status.error();
    return outcome;
}

}  // namespace korvexer
