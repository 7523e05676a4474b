// SPDX-License-Identifier: MIT
// What korvexer-cli says after a step or an apply: the files written (or, on a dry run, the diff
// of each file that would be), and one summary line; in text or as JSON Lines.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "core/list/row_layouts.h"
#include "core/list/row_list.h"
#include "core/rewrite/apply_list_to_sources.h"

namespace korvexer::cli {

class CliContext;

// How many rows a step took up, by what it did with them.
struct RowCounts {
    std::size_t applied = 0;    // replaced by the step
    std::size_t takenBack = 0;  // taken back by it
    std::size_t skipped = 0;    // left as they stood: in a file that could not be read or written,
                                // or their text not at their position
};

// The rows whose state (or, for calls, substitute) `after` changed from `before` (the same rows,
// in the same order): those that went to "替换" were applied, those that left it taken back,
// those of `notWritten` files skipped; and every row of `left` (rows of `after` that the rewrite
// left as they stood) is skipped, so that the count agrees with the rows named.
RowCounts CountRowChanges(const RowList& before, const RowList& after,
                          const std::set<std::string>& notWritten,
                          const std::vector<SkippedRow>& left);

// A call that a bulk substitution left out, with the substitute it would have had.
struct LeftOutCall {
    std::string name;        // as the first such row has it, the file's own bytes
    std::string substitute;  // the catalogue's name
    std::size_t rows = 0;
};

struct StepSummary {
    std::string command;  // "protect", "apply constants", ...
    RowCounts rows;
    std::vector<LeftOutCall> leftOut;
    bool printText = true;     // false: the text form prints no summary line (apply's own form)
    bool keepsRecord = false;  // a project step: rows left as they stood stay in the record
};

// Reports what the rewrite of `rows` did: in text the changed files on standard output, one a
// line, the unreadable ones as warnings and those that could not be written on standard error
// (exit status 1), then the summary line; as JSON one "file" object per file and a "summary"
// object. Each row left as it stood is named (ReportRowsLeft), exit status 1.
void ReportApplied(CliContext& context, const ApplyOutcome& files, const RowList& rows,
                   ListKind kind, const StepSummary& summary, SourceEncoding choice);

// Reports a dry run: the unified diff of every file the rewrite would change (in text; in JSON
// inside its "file" object), the rows it would leave as they stand, then the summary. Exit status
// 1 when a file would change, else 0. Each diff's text is in its file's encoding as `choice` gives
// it.
void ReportPlanned(CliContext& context, const RewritePlan& plan, const RowList& rows, ListKind kind,
                   const StepSummary& summary, SourceEncoding choice);

// Names each row of `rows` that a rewrite left (or, on a dry run, would leave) as it stood: in
// JSON a "left" object (`action`, `reason`, `message`, `row`); for a project step
// (`keepsRecord`) also one line on standard error, "FILE:LINE:COLUMN: constant N (VALUE) was not
// applied: REASON (reason-name); it stays in the record", and after a real run exit status 1.
// A row's own texts are in its file's encoding as `choice` gives it.
void ReportRowsLeft(CliContext& context, const std::vector<SkippedRow>& left, const RowList& rows,
                    ListKind kind, bool dryRun, bool keepsRecord, SourceEncoding choice);

// The paths of the files that the rewrite could not read or write.
std::set<std::string> FilesNotWritten(const ApplyOutcome& outcome);
std::set<std::string> FilesNotWritten(const RewritePlan& plan);

}  // namespace korvexer::cli
