// SPDX-License-Identifier: MIT
// The preview of OK: the rewrite's own plan, read at the chosen rows' lines.
#include "core/steps/step_preview.h"

#include <memory>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "core/rewrite/apply_list_to_sources.h"
#include "core/rewrite/row_edit.h"
#include "core/rewrite/source_rewrite.h"

namespace korvexer {

StepPreview PreviewRows(const RowList& rows, const std::vector<std::size_t>& chosen, ListKind kind,
                        const LanguageDefinition& language, FileSystem& fs, SourceEncoding encoding,
                        std::size_t limit) {
    StepPreview preview;
    std::vector<std::size_t> shown;
    std::unordered_set<std::string> files;
    for (std::size_t row : chosen) {
        if (row >= rows.size()) continue;
        if (shown.size() == limit) {
            ++preview.leftOut;
            continue;
        }
        if (rows.Text(row, kStepFile).empty() || rows.Text(row, kStepPosition).empty()) {
            ++preview.withoutPlace;
            continue;
        }
        shown.push_back(row);
        files.insert(rows.Text(row, kStepFile));
    }
    if (shown.empty()) return preview;

    Expected<RewritePlan> plan = PlanListOnSources(rows, kind, language, fs, encoding, &files);
    if (!plan) {
        preview.refused = plan.error();
        return preview;
    }
    preview.unreadable = std::move(plan->unreadableFiles);
    std::unordered_map<std::string, const SourceRewrite*> byPath;
    for (const SourceRewrite& file : plan->files) byPath.emplace(file.path(), &file);
    for (const Error& error : preview.unreadable) byPath.emplace(error.path, nullptr);
    // A file that OK does not take up (its rows all "未知") is read as it stands: OK leaves it so.
    std::vector<std::unique_ptr<SourceRewrite>> untouched;

    std::set<std::pair<std::string, long>> seen;
    for (std::size_t row : shown) {
        const std::string& path = rows.Text(row, kStepFile);
        const RowPosition position = ParseRowPosition(rows.Text(row, kStepPosition));
        if (!seen.insert({path, position.line}).second) continue;
        auto found = byPath.find(path);
        if (found == byPath.end()) {
            untouched.push_back(
                std::make_unique<SourceRewrite>(fs, path, language.carryreturn, encoding));
            found = byPath.emplace(path, untouched.back().get()).first;
            if (const std::optional<Error>& error = untouched.back()->readError())
                preview.unreadable.push_back(*error);
        }
        const SourceRewrite* file = found->second;
        if (file == nullptr || file->readError() || position.line < 1 ||
            static_cast<unsigned long>(position.line) > file->LineCount())
            continue;
        const std::size_t entry = static_cast<std::size_t>(position.line) - 1;
        preview.lines.push_back({path, position.line, std::string(file->OriginalLine(entry)),
                                 std::string(file->EditedLine(entry)), file->encoding()});
    }
    return preview;
}

}  // namespace korvexer
