// SPDX-License-Identifier: MIT
// ApplyListToSources: carries the rows of the constant or function list into the source files.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "core/language/language_definition.h"
#include "core/list/row_list.h"
#include "core/platform/expected.h"
#include "core/platform/file_system.h"
#include "core/platform/text_encoding.h"
#include "core/rewrite/source_rewrite.h"
#include "core/rewrite/row_edit.h"

namespace korvexer {

// What one call did to the files.
struct ApplyOutcome {
    std::vector<std::string> changedFiles;  // rewritten, each with its "~" backup, in order
    std::vector<Error> failedFiles;      // had changes but could not be written; left as they were
    std::vector<Error> unreadableFiles;  // could not be read; none of their rows was taken up
};

// Brings every listed source position into the state its row shows: a row whose state is "替换"
// is applied, a row with state "未知" is left alone, any other row is taken back. Each key is taken
// up once, by its first row in list order. Files are handled in the order of their first taken-up
// row, each read once and its rows applied in list order at the positions the scan recorded; a
// file whose text changed is backed up to its path + "~" and replaced as a whole.
//
// Refused with an Error, before any file is touched, when a row is to be taken up and the language
// has no one-line comment prefix (or, for constants, no string quote). Otherwise the outcome names
// the files written, the files that could not be written (each left byte for byte as it was) and
// the files that could not be read.
// Each file is read in the encoding that the project's choice `encoding` gives it, as the scan
// reads it.
Expected<ApplyOutcome> ApplyListToSources(const RowList& rows, ListKind kind,
                                          const LanguageDefinition& language, FileSystem& fs,
                                          SourceEncoding encoding = SourceEncoding::Automatic);

// A rewrite made in memory: every file that ApplyListToSources would take up, read and edited,
// nothing written.
struct RewritePlan {
    std::vector<SourceRewrite> files;    // in the order they are taken up; changed() tells which
                                         // the rewrite would write
    std::vector<Error> unreadableFiles;  // could not be read
};

// Everything ApplyListToSources does but the writing, refused alike: what a preview shows is what
// the rewrite writes, since the rewrite is this plan written. With `onlyFiles`, only those files
// (paths as the rows hold them) are read and planned; the rows of the other files still take up
// their keys, so each planned file is edited exactly as the whole rewrite edits it.
Expected<RewritePlan> PlanListOnSources(const RowList& rows, ListKind kind,
                                        const LanguageDefinition& language, FileSystem& fs,
                                        SourceEncoding encoding = SourceEncoding::Automatic,
                                        const std::unordered_set<std::string>* onlyFiles = nullptr);

}  // namespace korvexer
