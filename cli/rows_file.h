// SPDX-License-Identifier: MIT
// The rows of --rows FILE, and the rows of a step they stand for.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/list/row_layouts.h"
#include "core/list/row_list.h"
#include "core/platform/expected.h"
#include "core/scanner/file_encodings.h"

namespace korvexer::cli {

class CliContext;
class RowSelection;

using StepRows = std::vector<std::vector<std::string>>;

// The six-column rows of the file `userPath` ("-": standard input) as project scan prints them:
// tab-separated text rows, or JSON Lines when the first line that is not blank starts with "{".
// Values and names are taken in their file's encoding, as `files` finds it.
Expected<StepRows> ReadRowsFile(CliContext& context, const std::string& userPath, ListKind kind,
                                FileEncodings& files);

// The rows of `rows` (a step's) that the given rows stand for, by file and position, each with
// the given row, leaving out those `selection` does not choose. A given row that stands for none
// fails, naming it (the sources changed since the scan that printed it).
Expected<std::vector<std::pair<std::size_t, std::vector<std::string>>>> MatchGivenRows(
    CliContext& context, const RowList& rows, const StepRows& given, const RowSelection& selection,
    FileEncodings& files);

// The rows of `rows` that `selection` chooses, in order.
std::vector<std::size_t> SelectedRows(const RowList& rows, const RowSelection& selection,
                                      FileEncodings& files);

}  // namespace korvexer::cli
