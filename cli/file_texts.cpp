// SPDX-License-Identifier: MIT
// The file-text columns of list rows.
#include "cli/file_texts.h"

namespace korvexer::cli {

namespace {

std::vector<std::size_t> TextColumnsOf(ListKind kind) {
    if (kind == ListKind::Functions) return {kStepName, kStepValue};
    return {kStepValue};
}

}  // namespace

CliContext::FileTextColumns StepRowTexts(ListKind kind) {
    return {kStepFile, TextColumnsOf(kind)};
}

// The main list's layout keeps the step list's first three columns, so the texts stand alike.
static_assert(std::size_t{kMainName} == std::size_t{kStepName} &&
              std::size_t{kMainValue} == std::size_t{kStepValue});

CliContext::FileTextColumns RecordRowTexts(ListKind kind) {
    return {kMainFile, TextColumnsOf(kind)};
}

CliContext::FileTextColumns Shifted(CliContext::FileTextColumns columns, std::size_t by) {
    columns.path += by;
    for (std::size_t& column : columns.texts) column += by;
    return columns;
}

std::vector<TextEncoding> ColumnEncodings(const CliContext::FileTextColumns& columns,
                                          std::size_t count, TextEncoding fileEncoding) {
    std::vector<TextEncoding> encodings(count, TextEncoding::Gbk);
    for (const std::size_t column : columns.texts)
        if (column < count) encodings[column] = fileEncoding;
    return encodings;
}

}  // namespace korvexer::cli
