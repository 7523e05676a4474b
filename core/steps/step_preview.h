// SPDX-License-Identifier: MIT
// PreviewRows: what a step dialog's OK would do to the source lines of the chosen rows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/language/language_definition.h"
#include "core/list/row_layouts.h"
#include "core/list/row_list.h"
#include "core/platform/expected.h"
#include "core/platform/file_system.h"
#include "core/platform/text_encoding.h"

namespace korvexer {

// One source line as it stands and as it will stand after OK, in its file's bytes.
struct PreviewLine {
    std::string file;  // as the rows name it (GBK)
    long line = 0;     // counted from 1
    std::string before;
    std::string after;  // equal to `before` when OK leaves the line as it is
    TextEncoding encoding = TextEncoding::Gbk;  // of the file
};

// The preview of the chosen rows.
struct StepPreview {
    std::vector<PreviewLine> lines;  // in the order of the chosen rows, each line once
    std::size_t withoutPlace = 0;    // chosen rows that stand in no file (added by hand)
    std::size_t leftOut = 0;         // chosen rows past the limit, not previewed
    std::vector<Error> unreadable;   // files of chosen rows that could not be read
    std::optional<Error> refused;    // OK would refuse the language: no line is shown
};

// The most chosen rows a preview shows; the rest are counted in `leftOut`.
inline constexpr std::size_t kPreviewRowLimit = 20;

// Plans the rewrite of `rows` (six-column step rows of `kind`) exactly as OK makes it
// (PlanListOnSources over all rows, in the project's `encoding`), for the files of the first
// `limit` rows of `chosen` alone (row numbers in ascending order; those past the end are ignored),
// and gives the physical line of each of those rows before and after. Reads those files, writes
// nothing.
StepPreview PreviewRows(const RowList& rows, const std::vector<std::size_t>& chosen, ListKind kind,
                        const LanguageDefinition& language, FileSystem& fs, SourceEncoding encoding,
                        std::size_t limit = kPreviewRowLimit);

}  // namespace korvexer
