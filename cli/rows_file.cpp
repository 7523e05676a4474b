// SPDX-License-Identifier: MIT
// Reading --rows and matching its rows to a step's.
#include "cli/rows_file.h"

#include <map>
#include <sstream>

#include "cli/cli_context.h"
#include "cli/file_texts.h"
#include "cli/json_reader.h"
#include "cli/row_json.h"
#include "cli/row_selection.h"
#include "core/platform/text_trim.h"

namespace korvexer::cli {

namespace {

bool StartsWithBrace(const std::string& bytes) {
    for (char c : bytes) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        return c == '{';
    }
    return false;
}

Expected<StepRows> ReadJsonRows(const std::string& bytes, ListKind kind, FileEncodings& files) {
    StepRows rows;
    std::istringstream in(bytes);
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        if (TrimLeadingBlanks(line).empty() || line == "\r") continue;
        Expected<std::map<std::string, JsonValue>> object = ReadJsonObject(line);
        if (!object)
            return Error{"line " + std::to_string(number) + ": " + object.error().message, {}};
        // Objects of another kind (a summary line of a scan) are not rows.
        auto kindMember = object->find("kind");
        if (kindMember != object->end()) {
            Expected<std::string> word = kindMember->second.Bytes(TextEncoding::Utf8);
            if (word && *word != "constant" && *word != "call") continue;
        }
        Expected<std::string> path = JsonRowPath(*object);
        Expected<std::vector<std::string>> row =
            path ? StepRowFromJson(*object, kind, *path, files.Of(*path))
                 : Expected<std::vector<std::string>>(path.error());
        if (!row) return Error{"line " + std::to_string(number) + ": " + row.error().message, {}};
        rows.push_back(std::move(*row));
    }
    return rows;
}

}  // namespace

Expected<StepRows> ReadRowsFile(CliContext& context, const std::string& userPath, ListKind kind,
                                FileEncodings& files) {
    Expected<std::string> path = context.FromUser(userPath);
    if (!path) return Error{"--rows " + userPath + ": " + path.error().message, {}};
    Expected<FileContent> content = context.fs().Read(*path);
    if (!content) return Error{"--rows " + userPath + ": " + content.error().message, {}};
    Expected<StepRows> rows = [&]() -> Expected<StepRows> {
        if (StartsWithBrace(content->bytes)) return ReadJsonRows(content->bytes, kind, files);
        std::istringstream in(content->bytes);
        return context.ReadRows(
            in, [kind](const std::vector<std::string>&) { return StepRowTexts(kind); }, files);
    }();
    if (!rows) return Error{"--rows " + userPath + ": " + rows.error().message, {}};
    for (std::size_t i = 0; i < rows->size(); ++i)
        if ((*rows)[i].size() != kStepColumnCount)
            return Error{"--rows " + userPath + ": line " + std::to_string(i + 1) + " has " +
                             std::to_string((*rows)[i].size()) +
                             " columns, not the six of project scan",
                         {}};
    return rows;
}

Expected<std::vector<std::pair<std::size_t, std::vector<std::string>>>> MatchGivenRows(
    CliContext& context, const RowList& rows, const StepRows& given, const RowSelection& selection,
    FileEncodings& files) {
    std::map<std::pair<std::string, std::string>, std::size_t> byPlace;
    for (std::size_t row = 0; row < rows.size(); ++row)
        byPlace.emplace(std::make_pair(TrimTrailingBlanks(rows.Text(row, kStepFile)),
                                       TrimTrailingBlanks(rows.Text(row, kStepPosition))),
                        row);
    std::vector<std::pair<std::size_t, std::vector<std::string>>> matched;
    for (const std::vector<std::string>& row : given) {
        auto found = byPlace.find(
            {TrimTrailingBlanks(row[kStepFile]), TrimTrailingBlanks(row[kStepPosition])});
        if (found == byPlace.end())
            return Error{"--rows: no listed row stands at " + context.ToUser(row[kStepFile]) + ":" +
                             row[kStepPosition] +
                             " (the sources changed since the rows were printed: run project "
                             "scan again); nothing was changed",
                         {}};
        if (selection.Selects(rows, found->second, files.Of(rows.Text(found->second, kStepFile))))
            matched.emplace_back(found->second, row);
    }
    return matched;
}

std::vector<std::size_t> SelectedRows(const RowList& rows, const RowSelection& selection,
                                      FileEncodings& files) {
    std::vector<std::size_t> selected;
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (selection.Selects(rows, row, files.Of(rows.Text(row, kStepFile))))
            selected.push_back(row);
    return selected;
}

}  // namespace korvexer::cli
