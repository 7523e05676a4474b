// SPDX-License-Identifier: MIT
// AcceptStep: the OK both step dialogs share, and the checks it makes before it writes a file.
#pragma once

#include <cstddef>
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

// How far a record holding `wouldBe` would pass the record's limits, so that a front end can say
// how much to leave out.
struct RecordLimitCheck {
    struct LongField {
        std::size_t row;     // the dialog row, counted from 0
        std::size_t column;  // its StepColumn
        std::size_t bytes;
    };
    std::vector<LongField>
        longFields;                // the fields of "替换" rows past kRecordFieldLimit, in order
    std::size_t sectionBytes = 0;  // what the list of `kind` takes in the record
    std::size_t rowsPastSection = 0;    // its last rows that end past kRecordSectionLimit
    std::optional<Error> otherRefusal;  // the record's own refusal of the whole (the other lists)

    bool fits() const;
};

// Measures the record that `wouldBe` makes, as CheckRecordLimits judges it.
RecordLimitCheck MeasureRecordLimits(const RowList& dialogRows, ListKind kind,
                                     const RecordLists& wouldBe);

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

// What the OK of a step would do, nothing written: refused as AcceptStep refuses (with `limits`
// telling how far the record would pass its limits), else the rewrite made in memory.
struct StepPlanOutcome {
    bool accepted = false;
    std::optional<StepMessage> message;   // why it was refused
    std::optional<Error> rewriteRefusal;  // the rewrite's own refusal, when that was the reason
    RecordLimitCheck limits;
    RewritePlan plan;
};

// AcceptStep's checks and rewrite, planned on `dialogRows` instead of written; the plan's rows
// left as they stood are those AcceptStep would name (`literalStands` as there).
StepPlanOutcome PlanStep(const RowList& dialogRows, ListKind kind,
                         const LanguageDefinition& language, FileSystem& fs,
                         const RecordLists& wouldBe,
                         SourceEncoding encoding = SourceEncoding::Automatic,
                         const std::vector<bool>& literalStands = {});

// The OK both steps share. `wouldBe` holds the record as it is to be, its list of `kind` made from
// the "替换" rows of `dialogRows` and put in main-list order by `order`. Refused, with nothing
// changed, when the record could not hold it or the rewrite is refused; otherwise the sources are
// rewritten from `dialogRows` and `mainList` becomes the new list, except that the rows of files
// that could not be written stay as `mainList` had them, and every row that was to be taken back
// but was left as it stood (its file unreadable, its text not at its position) stays in the list
// as a "替换" row: the source may still hold its replacement, and the record must keep knowing
// it. The message (RowsLeftMessage) names what was left.
// The sources are read in the encodings that the project's choice `encoding` gives them.
// `literalStands`, when not empty, tells per dialog row that its place holds its literal as the
// scan saw it: a take-back of such a row that does not find its call there has nothing to do and
// is neither named nor kept.
StepAcceptOutcome AcceptStep(const RowList& dialogRows, ListKind kind,
                             const LanguageDefinition& language, FileSystem& fs,
                             RecordLists wouldBe, RowList& mainList, void (*order)(RowList&),
                             SourceEncoding encoding = SourceEncoding::Automatic,
                             const std::vector<bool>& literalStands = {});

}  // namespace korvexer
