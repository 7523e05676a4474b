// SPDX-License-Identifier: MIT
// AcceptStep: the OK both step dialogs share, and the checks it makes before it writes a file.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/language/language_definition.h"
#include "core/list/row_layouts.h"
#include "core/list/row_list.h"
#include "core/platform/file_system.h"
#include "core/record/record_file.h"
#include "core/rewrite/apply_list_to_sources.h"
#include "core/steps/rows_left_message.h"
#include "core/steps/step_outcome.h"

namespace korvexer {

// Checks, before anything is written, that a record holding `wouldBe` can be written. The rows of
// `dialogRows` whose state is "替换" are what `wouldBe`'s list of `kind` is made from; a field of
// one of them that passes the record's field limit is named by its dialog row (counted from 1)
// and column title. A list that passes the section limit is named with the bytes it needs. Any
// other refusal of the record carries the record's own words. Nothing when the record fits.
std::optional<StepMessage> CheckRecordLimits(const RowList& dialogRows, ListKind kind,
                                             const RecordLists& wouldBe);

// The paths of the files that the rewrite had changes for but could not write, so they are as
// they were.
std::set<std::string> UntouchedFiles(const ApplyOutcome& outcome);

// The OK both steps share. `wouldBe` holds the record as it is to be, its list of `kind` made from
// the "替换" rows of `dialogRows` and put in main-list order by `order`. Refused, with nothing
// changed, when the record could not hold it or the rewrite is refused; otherwise the sources are
// rewritten from `dialogRows` and `mainList` becomes the new list, except that the rows of files
// that could not be written stay as `mainList` had them, and every row that was to be taken back
// but was left as it stood (its file unreadable, its text not at its position) stays in the list
// as a "替换" row: the source may still hold its replacement, and the record must keep knowing
// it. The message (RowsLeftMessage) names what was left.
// `literalStands`, when not empty, tells per dialog row that its place holds its literal as the
// scan saw it: a take-back of such a row that does not find its call there has nothing to do and
// is neither named nor kept.
StepAcceptOutcome AcceptStep(const RowList& dialogRows, ListKind kind,
                             const LanguageDefinition& language, FileSystem& fs,
                             RecordLists wouldBe, RowList& mainList, void (*order)(RowList&),
                             const std::vector<bool>& literalStands = {});

}  // namespace korvexer
