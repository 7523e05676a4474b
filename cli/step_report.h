// SPDX-License-Identifier: MIT
// What korvexer-cli says after a step or an apply: the files written (or, on a dry run, the diff
// of each file that would be), and one summary line; in text or as JSON Lines.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "core/list/row_list.h"
#include "core/rewrite/apply_list_to_sources.h"

namespace korvexer::cli {

class CliContext;

// How many rows a step took up, by what it did with them.
struct RowCounts {
    std::size_t applied = 0;    // replaced by the step
    std::size_t takenBack = 0;  // taken back by it
    std::size_t skipped = 0;    // meant to change, in a file that could not be read or written
};

// The rows whose state (or, for calls, substitute) `after` changed from `before` (the same rows,
// in the same order): those that went to "替换" were applied, those that left it taken back,
// those of `notWritten` files skipped.
RowCounts CountRowChanges(const RowList& before, const RowList& after,
                          const std::set<std::string>& notWritten);

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
    bool printText = true;  // false: the text form prints no summary line (apply's own form)
};

// Reports what the rewrite did: in text the changed files on standard output, one a line, the
// unreadable ones as warnings and those that could not be written on standard error (exit status
// 1), then the summary line; as JSON one "file" object per file and a "summary" object.
void ReportApplied(CliContext& context, const ApplyOutcome& files, const StepSummary& summary);

// Reports a dry run: the unified diff of every file the rewrite would change (in text; in JSON
// inside its "file" object), then the summary. Exit status 1 when a file would change, else 0.
// Each diff's text is in its file's encoding as `choice` gives it.
void ReportPlanned(CliContext& context, const RewritePlan& plan, const StepSummary& summary,
                   SourceEncoding choice);

// The paths of the files that the rewrite could not read or write.
std::set<std::string> FilesNotWritten(const ApplyOutcome& outcome);
std::set<std::string> FilesNotWritten(const RewritePlan& plan);

}  // namespace korvexer::cli
