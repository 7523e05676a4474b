// SPDX-License-Identifier: MIT
// One walk over the rows, grouped by file, so the cost grows with rows and bytes only.
#include "core/rewrite/apply_list_to_sources.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <utility>
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

struct PlaceHash {
    std::size_t operator()(const std::pair<std::string_view, std::string_view>& place) const {
        const std::size_t first = std::hash<std::string_view>()(place.first);
        return first ^ (std::hash<std::string_view>()(place.second) + 0x9e3779b97f4a7c15ULL +
                        (first << 6) + (first >> 2));
    }
};

SkippedRow Skipped(const RowList& rows, std::size_t row, RowSkipReason reason) {
    return {row, rows.Text(row, kStepState) == texts::kStateReplace, reason,
            rows.Text(row, kStepFile), rows.Text(row, kStepPosition)};
}

// Reads each file that the rows take up (of `onlyFiles` alone, when given), in order, makes their
// edits in memory and hands it to `take`, which returns whether the file's edits took effect; the
// files that cannot be read go to `unreadable`, and every row left as it was although it was to
// change goes to `skipped`, in list order. Refused as ApplyListToSources says.
template <typename Take>
Status RewriteFiles(const RowList& rows, ListKind kind, const LanguageDefinition& language,
                    FileSystem& fs, SourceEncoding encoding,
                    const std::unordered_set<std::string>* onlyFiles,
                    std::vector<Error>& unreadable, std::vector<SkippedRow>& skipped, Take take) {
    std::unordered_set<std::string_view> takenKeys;
    takenKeys.reserve(rows.size());
    using Place = std::pair<std::string_view, std::string_view>;
    std::unordered_set<Place, PlaceHash> unknownPlaces;
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (rows.Text(row, kStepState) == texts::kStateUnknown)
            unknownPlaces.insert({rows.Text(row, kStepFile), rows.Text(row, kStepPosition)});
    std::unordered_map<std::string_view, std::size_t> groupOf;
    std::vector<FileRows> groups;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (rows.Text(row, kStepState) == texts::kStateUnknown) continue;
        const std::string& path = rows.Text(row, kStepFile);
        const bool placed = !path.empty() && !rows.Text(row, kStepPosition).empty();
        const bool keyTaken = !takenKeys.insert(rows.Text(row, kStepKey)).second;
        if (!placed) continue;
        // After its key is taken: a row of another file still keeps a later row of its key out.
        if (onlyFiles != nullptr && onlyFiles->count(path) == 0) continue;
        if (keyTaken) {
            skipped.push_back(Skipped(rows, row, RowSkipReason::KeyTaken));
            continue;
        }
        if (unknownPlaces.count({path, rows.Text(row, kStepPosition)}) != 0) {
            skipped.push_back(Skipped(rows, row, RowSkipReason::PlaceTaken));
            continue;
        }
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
    std::vector<std::size_t> edited;
    std::unordered_set<std::string_view> editedPlaces;
    for (const FileRows& group : groups) {
        SourceRewrite file(fs, group.path, language.carryreturn, encoding);
        if (file.readError()) {
            Error error = *file.readError();
            if (error.path.empty()) error.path = group.path;
            unreadable.push_back(std::move(error));
            for (std::size_t row : group.rows)
                skipped.push_back(Skipped(rows, row, RowSkipReason::FileUnreadable));
            continue;
        }
        edited.clear();
        editedPlaces.clear();
        for (std::size_t row : group.rows) {
            RowEdit edit = DeriveRowEdit(rows, row, kind, prefix, quote);
            // A call that never got a substitute has nothing to take back.
            if (!edit.Applies() && edit.search.empty()) continue;
            const std::string& position = rows.Text(row, kStepPosition);
            if (editedPlaces.count(position) != 0) {
                skipped.push_back(Skipped(rows, row, RowSkipReason::PlaceTaken));
                continue;
            }
            switch (file.Apply(ParseRowPosition(position), edit, prefix)) {
                case LineEditResult::Edited:
                    edited.push_back(row);
                    editedPlaces.insert(position);
                    break;
                case LineEditResult::InPlace:
                    break;
                case LineEditResult::NotThere:
                    skipped.push_back(Skipped(rows, row, RowSkipReason::TextNotThere));
                    break;
            }
        }
        if (!take(file))
            for (std::size_t row : edited)
                skipped.push_back(Skipped(rows, row, RowSkipReason::FileNotWritten));
    }
    std::stable_sort(skipped.begin(), skipped.end(),
                     [](const SkippedRow& a, const SkippedRow& b) { return a.row < b.row; });
    return Status::Ok();
}

}  // namespace

const char* RowSkipName(RowSkipReason reason) {
    switch (reason) {
        case RowSkipReason::FileUnreadable:
            return "file-unreadable";
        case RowSkipReason::FileNotWritten:
            return "file-not-written";
        case RowSkipReason::TextNotThere:
            return "text-not-there";
        case RowSkipReason::KeyTaken:
            return "key-taken";
        case RowSkipReason::PlaceTaken:
            return "place-taken";
    }
    return "text-not-there";
}

Expected<RewritePlan> PlanListOnSources(const RowList& rows, ListKind kind,
                                        const LanguageDefinition& language, FileSystem& fs,
                                        SourceEncoding encoding,
                                        const std::unordered_set<std::string>* onlyFiles) {
    RewritePlan plan;
    Status status = RewriteFiles(rows, kind, language, fs, encoding, onlyFiles,
                                 plan.unreadableFiles, plan.skippedRows, [&](SourceRewrite& file) {
                                     plan.files.push_back(std::move(file));
                                     return true;
                                 });
    if (!status) return status.error();
    return plan;
}

Expected<ApplyOutcome> ApplyListToSources(const RowList& rows, ListKind kind,
                                          const LanguageDefinition& language, FileSystem& fs,
                                          SourceEncoding encoding) {
    // Each file is written as soon as its edits are made: one file in memory at a time.
    ApplyOutcome outcome;
    Status status =
        RewriteFiles(rows, kind, language, fs, encoding, nullptr, outcome.unreadableFiles,
                     outcome.skippedRows, [&](SourceRewrite& file) {
                         if (!file.changed()) return true;
                         if (Status written = file.Write(); !written) {
                             outcome.failedFiles.push_back(written.error());
                             return false;
                         }
                         outcome.changedFiles.push_back(file.path());
                         return true;
                     });
    if (!status) return status.error();
    return outcome;
}

}  // namespace korvexer
