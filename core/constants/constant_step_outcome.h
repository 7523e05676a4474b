// SPDX-License-Identifier: MIT
// What the step dialogs' models hand back: messages, the OK outcome, and the checks OK shares.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/list/row_list.h"
#include "core/rewrite/apply_list_to_sources.h"
#include "core/rewrite/row_edit.h"
#include "core/language/language_definition.h"
#include "core/platform/file_system.h"
#include "core/record/record_file.h"

namespace korvexer {

// A message box of a step dialog: GBK text and caption, information icon, OK button.
struct StepMessage {
    std::string text;
    std::string caption;
};

// The edit field that a step dialog focuses after a message.
enum class StepField { None, Index, Value };

// The result of a hand edit: the message to show (if any) and the field to focus after it.
struct StepEditOutcome {
    bool changed = false;  // a row was added or changed
    std::optional<StepMessage> message;
    StepField focus = StepField::None;
};

// The result of a step dialog's OK.
struct StepAcceptOutcome {
    // True when the dialog closes with OK: the main list holds the new rows and the sources were
    // rewritten (except the files named in `message`). False when OK was refused: then nothing
    // changed, neither the main list nor any file, and `message` says why.
    bool accepted = false;
    std::optional<StepMessage> message;
    ApplyOutcome files;  // what the rewrite did (empty when refused)
};

// Checks, before anything is written, that a record holding `wouldBe` can be written. The rows of
// `dialogRows` whose state is "替换" are what `wouldBe`'s list of `kind` is made from; a field of
// one of them that passes the record's field limit is named by its dialog row (counted from 1)
// and column title. A list that passes the section limit is named with the bytes it needs. Any
// other refusal of the record carries the record's own words. Nothing when the record fits.
std::optional<StepMessage> CheckRecordLimits(const RowList& dialogRows, ListKind kind,
                                             const RecordLists& wouldBe);

// One message naming every file that could not be rewritten or read; nothing when there is none.
std::optional<StepMessage> FilesNotWrittenMessage(const ApplyOutcome& outcome);

// The paths of the files that the rewrite had changes for but could not write, so they are as
// they were. (A file that could not be read is not among them: it may be gone for good, and its
// rows must not stay in the record forever.)
std::set<std::string> UntouchedFiles(const ApplyOutcome& outcome);

// The OK both steps share. `wouldBe` holds the record as it is to be, its list of `kind` made from
// the "替换" rows of `dialogRows` and put in main-list order by `order`. Refused, with nothing
// changed, when the record could not hold it or the rewrite is refused; otherwise the sources are
// rewritten from `dialogRows` and `mainList` becomes the new list, except that the rows of files
// that could not be written stay as `mainList` had them, so the record keeps matching them.
StepAcceptOutcome AcceptStep(const RowList& dialogRows, ListKind kind,
                             const LanguageDefinition& language, FileSystem& fs,
                             RecordLists wouldBe, RowList& mainList, void (*order)(RowList&));

}  // namespace korvexer
