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

// Why a row that was to be applied or taken back left its place in the source as it stood.
enum class RowSkipReason {
    FileUnreadable,  // its file is missing or cannot be read
    FileNotWritten,  // its file had changes but could not be written (see failedFiles)
    TextNotThere,    // its position holds neither the row's text nor the text it is to become:
                     // the line was changed, the position lies past it, or the listed value
                     // never stood there as it is written (a hexadecimal literal, say)
    KeyTaken,        // an earlier row of the list has the same key, and a key is taken up once
    PlaceTaken,      // another row of the list has the same file and position: an earlier row
                     // that rewrote it, or a "未知" row, whose call is left alone
};

// A stable lower-case name of the reason, for output that scripts read: "file-unreadable",
// "file-not-written", "text-not-there", "key-taken", "place-taken".
const char* RowSkipName(RowSkipReason reason);

// One row that could not be applied or taken back. Rows without a file or a position (a constant
// added by hand) have no place in a source and are never skipped.
struct SkippedRow {
    std::size_t row = 0;    // the row's number in the list given, counted from 0
    bool applying = false;  // its state was "替换" (to be applied); else it was to be taken back
    RowSkipReason reason = RowSkipReason::TextNotThere;
    std::string file;  // the row's file and position texts, as the list holds them
    std::string position;
};

// What one call did to the files.
struct ApplyOutcome {
    std::vector<std::string> changedFiles;  // rewritten, each with its "~" backup, in order
    std::vector<Error> failedFiles;       // had changes but could not be written; left as they were
    std::vector<Error> unreadableFiles;   // could not be read; none of their rows was taken up
    std::vector<SkippedRow> skippedRows;  // in list order; their places are as they were
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
// the files that could not be read, and every row whose place stayed as it was although its
// text was to change there (SkippedRow). A place is rewritten once, by the first row that finds
// its text there, and never where a "未知" row stands: a later row there would rewrite what the
// first one wrote, or the call that is to be left alone.
// Each file is read in the encoding that the project's choice `encoding` gives it, as the scan
// reads it.
Expected<ApplyOutcome> ApplyListToSources(const RowList& rows, ListKind kind,
                                          const LanguageDefinition& language, FileSystem& fs,
                                          SourceEncoding encoding = SourceEncoding::Automatic);

// A rewrite made in memory: every file that ApplyListToSources would take up, read and edited,
// nothing written.
struct RewritePlan {
    std::vector<SourceRewrite> files;     // in the order they are taken up; changed() tells which
                                          // the rewrite would write
    std::vector<Error> unreadableFiles;   // could not be read
    std::vector<SkippedRow> skippedRows;  // as ApplyOutcome would have them, if every write works
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
