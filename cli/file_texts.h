// SPDX-License-Identifier: MIT
// Which columns of the list rows korvexer-cli prints and reads hold a source file's own text.
#pragma once

#include <cstddef>
#include <vector>

#include "cli/cli_context.h"
#include "core/list/row_layouts.h"

namespace korvexer::cli {

// A constant's value, a call's name and its substitute are the file's own bytes; the rest of a
// row (keys, the type and state words, the path) are the list's GBK texts. Step rows have six
// columns (key, type or call, value or substitute, state, file, position), record rows five (no
// state).
CliContext::FileTextColumns StepRowTexts(ListKind kind);
CliContext::FileTextColumns RecordRowTexts(ListKind kind);
// The same columns in a row that has `by` more columns in front.
CliContext::FileTextColumns Shifted(CliContext::FileTextColumns columns, std::size_t by);
// The encoding of each of `count` columns: the file texts' `fileEncoding`, GBK for the others.
std::vector<TextEncoding> ColumnEncodings(const CliContext::FileTextColumns& columns,
                                          std::size_t count, TextEncoding fileEncoding);

}  // namespace korvexer::cli
