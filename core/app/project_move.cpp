// SPDX-License-Identifier: MIT
// Finding a moved project by its paths, and rebasing the record's paths.
#include "core/app/project_move.h"

#include <algorithm>

#include "core/list/row_layouts.h"
#include "core/platform/gbk_text.h"
#include "core/platform/path_case.h"
#include "core/platform/text_trim.h"

namespace korvexer {

namespace {

// A path cut at its separators: each part with where it starts in the path.
struct Parts {
    std::vector<std::string_view> names;
    std::vector<std::size_t> starts;
};

Parts Split(std::string_view path) {
    Parts parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size();) {
        if (i == path.size() || path[i] == '/' || path[i] == '\\') {
            if (i > start) {
                parts.names.push_back(path.substr(start, i - start));
                parts.starts.push_back(start);
            }
            start = i + 1;
            ++i;
        } else {
            i += gbk::CharWidthAt(path, i);
        }
    }
    return parts;
}

bool IsAbsolute(std::string_view path) {
    return !path.empty() &&
           (path[0] == '/' || path[0] == '\\' || (path.size() >= 2 && path[1] == ':'));
}

bool SameName(std::string_view a, std::string_view b) {
    return PathCaseKey(a) == PathCaseKey(b);
}

// The path up to the part `count` (exclusive), without the separator before that part.
std::string_view Head(std::string_view path, const Parts& parts, std::size_t count) {
    if (count == 0) return {};
    if (count >= parts.names.size()) return path;
    std::size_t end = parts.starts[count];
    while (end > 0 && (path[end - 1] == '/' || path[end - 1] == '\\')) --end;
    return path.substr(0, end);
}

std::string Folder(std::string_view path) {
    const Parts parts = Split(path);
    if (parts.names.size() < 2) return {};
    return std::string(Head(path, parts, parts.names.size() - 1));
}

// How many trailing parts `a` and `b` share, leaving at least one part in front of each.
std::size_t SharedTail(const Parts& a, const Parts& b) {
    std::size_t shared = 0;
    while (shared + 1 < a.names.size() && shared + 1 < b.names.size() &&
           SameName(a.names[a.names.size() - 1 - shared], b.names[b.names.size() - 1 - shared]))
        ++shared;
    return shared;
}

// The move that maps `recordPath` onto `projectPath` by their shared trailing parts; nothing when
// they share none or differ in nothing else.
std::optional<ProjectMove> MoveBetween(std::string_view recordPath, std::string_view projectPath) {
    const Parts record = Split(recordPath);
    const Parts project = Split(projectPath);
    const std::size_t shared = SharedTail(record, project);
    if (shared == 0) return std::nullopt;
    ProjectMove move{std::string(Head(recordPath, record, record.names.size() - shared)),
                     std::string(Head(projectPath, project, project.names.size() - shared))};
    if (move.recordFolder.empty() || move.projectFolder.empty() ||
        SameName(move.recordFolder, move.projectFolder))
        return std::nullopt;
    return move;
}

}  // namespace

bool LiesUnder(std::string_view path, std::string_view folder) {
    if (!IsAbsolute(path) || !IsAbsolute(folder)) return false;
    const Parts inner = Split(path);
    const Parts outer = Split(folder);
    if (outer.names.size() > inner.names.size()) return false;
    for (std::size_t i = 0; i < outer.names.size(); ++i)
        if (!SameName(inner.names[i], outer.names[i])) return false;
    return true;
}

std::vector<std::string> ProjectFolders(const std::string& mainSourceFile,
                                        const std::string& applicationFile) {
    std::vector<std::string> folders;
    for (const std::string& file : {mainSourceFile, applicationFile}) {
        const std::string path(TrimBlanks(file));
        if (!IsAbsolute(path)) continue;
        std::string folder = Folder(path);
        if (!folder.empty()) folders.push_back(std::move(folder));
    }
    return folders;
}

std::optional<ProjectMove> FindProjectMove(const RowList& constants, const RowList& functions,
                                           const std::vector<std::string>& sourceFiles,
                                           const std::string& mainSourceFile,
                                           const std::string& applicationFile) {
    const std::vector<std::string> folders = ProjectFolders(mainSourceFile, applicationFile);
    if (folders.empty()) return std::nullopt;
    std::vector<std::string> paths;
    for (const RowList* rows : {&constants, &functions})
        for (std::size_t row = 0; row < rows->size(); ++row)
            paths.push_back(TrimTrailingBlanks(rows->Text(row, kMainFile)));
    paths.insert(paths.end(), sourceFiles.begin(), sourceFiles.end());
    paths.erase(std::remove_if(paths.begin(), paths.end(),
                               [](const std::string& path) { return !IsAbsolute(path); }),
                paths.end());
    if (paths.empty()) return std::nullopt;
    for (const std::string& path : paths)
        for (const std::string& folder : folders)
            if (LiesUnder(path, folder)) return std::nullopt;

    // The record's own path of the main source file: the longest shared tail tells the move.
    const std::string main(TrimBlanks(mainSourceFile));
    const Parts mainParts = Split(main);
    std::optional<ProjectMove> best;
    std::size_t bestShared = 0;
    for (const std::string& path : paths) {
        const Parts parts = Split(path);
        const std::size_t shared = mainParts.names.empty() ? 0 : SharedTail(parts, mainParts);
        if (shared > bestShared)
            if (std::optional<ProjectMove> move = MoveBetween(path, main)) {
                best = std::move(move);
                bestShared = shared;
            }
    }
    if (best) return best;

    // Else the folder all the record's files lie under, against each project folder.
    std::string common = Folder(paths.front());
    for (const std::string& path : paths)
        while (!common.empty() && !LiesUnder(path, common)) common = Folder(common);
    if (common.empty()) return std::nullopt;
    for (const std::string& folder : folders)
        if (std::optional<ProjectMove> move = MoveBetween(common, folder)) return move;
    return std::nullopt;
}

std::optional<std::string> Rebased(const std::string& path, std::string_view from,
                                   std::string_view to) {
    if (!LiesUnder(path, from)) return std::nullopt;
    const Parts inner = Split(path);
    const std::size_t depth = Split(from).names.size();
    std::string rebased(to);
    if (depth < inner.names.size()) {
        const std::string_view rest = std::string_view(path).substr(inner.starts[depth] - 1);
        if (!rebased.empty() && (rebased.back() == '/' || rebased.back() == '\\'))
            rebased.pop_back();
        rebased += rest;
    }
    return rebased;
}

std::size_t RebasePaths(RowList& constants, RowList& functions,
                        std::vector<std::string>& sourceFiles, std::string_view from,
                        std::string_view to) {
    std::size_t changed = 0;
    for (RowList* rows : {&constants, &functions})
        for (std::size_t row = 0; row < rows->size(); ++row)
            if (std::optional<std::string> path =
                    Rebased(TrimTrailingBlanks(rows->Text(row, kMainFile)), from, to)) {
                rows->SetText(row, kMainFile, std::move(*path));
                ++changed;
            }
    for (std::string& entry : sourceFiles)
        if (std::optional<std::string> path = Rebased(entry, from, to)) {
            entry = std::move(*path);
            ++changed;
        }
    return changed;
}

}  // namespace korvexer
