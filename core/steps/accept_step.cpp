// SPDX-License-Identifier: MIT
// The OK both step models share: the record-limit check, the rewrite, and the record of what the
// rewrite left.
#include "core/steps/accept_step.h"

#include <algorithm>
#include <string_view>
#include <tuple>
#include <utility>

#include "core/list/list_texts.h"
#include "core/platform/text_trim.h"
#include "core/steps/message_texts.h"
#include "core/steps/step_texts.h"

namespace korvexer {

namespace {

constexpr std::size_t kEntryLengthBytes = 5;  // one length byte per field
constexpr std::size_t kSectionEndBytes = 2;
constexpr std::size_t kConstantMagicBytes = 16;

struct CheckedColumn {
    std::size_t column;
    std::string_view title;
};

// The dialog columns that become record fields as they stand (the constant type becomes one
// byte and the function number is renumbered, so neither can pass the limit).
constexpr CheckedColumn kConstantColumns[] = {{kStepKey, steptexts::kTitleIndex},
                                              {kStepValue, steptexts::kTitleValue},
                                              {kStepFile, steptexts::kTitleFile},
                                              {kStepPosition, steptexts::kTitlePosition}};
constexpr CheckedColumn kFunctionColumns[] = {{kStepName, steptexts::kTitleFunction},
                                              {kStepValue, steptexts::kTitleSubstitute},
                                              {kStepFile, steptexts::kTitleFile},
                                              {kStepPosition, steptexts::kTitlePosition}};

// The bytes the list takes in the record, and how many of its last rows end past the limit.
std::pair<std::size_t, std::size_t> SectionLength(const RowList& list, bool constants) {
    std::size_t length = (constants ? kConstantMagicBytes : 0) + kSectionEndBytes;
    std::size_t rowsPast = 0;
    for (std::size_t row = 0; row < list.size(); ++row) {
        length += kEntryLengthBytes;
        for (std::size_t column = 0; column < kMainColumnCount; ++column)
            length += constants && column == kMainName ? 1 : list.Text(row, column).size();
        if (length > kRecordSectionLimit) ++rowsPast;
    }
    return {length, rowsPast};
}

StepMessage Message(std::string text, std::vector<Error> failures = {}) {
    return {std::move(text), std::string(texts::kCaptionSystem), std::move(failures)};
}

}  // namespace

bool RecordLimitCheck::fits() const {
    return longFields.empty() && sectionBytes <= kRecordSectionLimit && !otherRefusal;
}

RecordLimitCheck MeasureRecordLimits(const RowList& dialogRows, ListKind kind,
                                     const RecordLists& wouldBe) {
    RecordLimitCheck check;
    const bool constants = kind == ListKind::Constants;
    for (std::size_t row = 0; row < dialogRows.size(); ++row) {
        if (dialogRows.Text(row, kStepState) != texts::kStateReplace) continue;
        for (const CheckedColumn& checked : constants ? kConstantColumns : kFunctionColumns) {
            const std::size_t size = dialogRows.Text(row, checked.column).size();
            if (size > kRecordFieldLimit) check.longFields.push_back({row, checked.column, size});
        }
    }
    std::tie(check.sectionBytes, check.rowsPastSection) =
        SectionLength(constants ? wouldBe.constants : wouldBe.functions, constants);
    // The other lists of the record come from the main window as they are; they may still be
    // what the record cannot hold.
    if (check.longFields.empty() && check.sectionBytes <= kRecordSectionLimit)
        if (Expected<std::string> assembled = AssembleRecordFile(wouldBe); !assembled)
            check.otherRefusal = assembled.error();
    return check;
}

namespace {

// The message of a step dialog for a record that passes its limits, naming the first fault.
std::optional<StepMessage> LimitMessage(const RecordLimitCheck& check, ListKind kind) {
    const bool constants = kind == ListKind::Constants;
    if (!check.longFields.empty()) {
        const RecordLimitCheck::LongField& first = check.longFields.front();
        std::string_view title;
        for (const CheckedColumn& checked : constants ? kConstantColumns : kFunctionColumns)
            if (checked.column == first.column) title = checked.title;
        std::string text(steptexts::kRowTooLongBegin);
        text += std::to_string(first.row + 1);
        text += steptexts::kRowTooLongField;
        text += title;
        text += steptexts::kRowTooLongBytes;
        text += std::to_string(first.bytes);
        text += steptexts::kRowTooLongEnd;
        return Message(std::move(text));
    }
    if (check.sectionBytes > kRecordSectionLimit) {
        std::string text(steptexts::kListTooLongBegin);
        text += std::to_string(check.sectionBytes);
        text += steptexts::kListTooLongEnd;
        return Message(std::move(text));
    }
    if (check.otherRefusal)
        return Message(std::string(steptexts::kApplyRefused), {*check.otherRefusal});
    return std::nullopt;
}

}  // namespace

std::optional<StepMessage> CheckRecordLimits(const RowList& dialogRows, ListKind kind,
                                             const RecordLists& wouldBe) {
    return LimitMessage(MeasureRecordLimits(dialogRows, kind, wouldBe), kind);
}

namespace {

// A take-back whose place holds its literal, as the scan saw it, has nothing to do.
void DropNothingToTakeBack(std::vector<SkippedRow>& skippedRows,
                           const std::vector<bool>& literalStands) {
    skippedRows.erase(std::remove_if(skippedRows.begin(), skippedRows.end(),
                                     [&](const SkippedRow& skipped) {
                                         return !skipped.applying &&
                                                skipped.reason == RowSkipReason::TextNotThere &&
                                                skipped.row < literalStands.size() &&
                                                literalStands[skipped.row];
                                     }),
                      skippedRows.end());
}

}  // namespace

std::set<std::string> UntouchedFiles(const ApplyOutcome& outcome) {
    std::set<std::string> files;
    for (const Error& error : outcome.failedFiles) files.insert(error.path);
    return files;
}

StepPlanOutcome PlanStep(const RowList& dialogRows, ListKind kind,
                         const LanguageDefinition& language, FileSystem& fs,
                         const RecordLists& wouldBe, SourceEncoding encoding,
                         const std::vector<bool>& literalStands) {
    StepPlanOutcome outcome;
    outcome.limits = MeasureRecordLimits(dialogRows, kind, wouldBe);
    if ((outcome.message = LimitMessage(outcome.limits, kind))) return outcome;
    Expected<RewritePlan> planned = PlanListOnSources(dialogRows, kind, language, fs, encoding);
    if (!planned) {
        outcome.rewriteRefusal = planned.error();
        outcome.message = Message(std::string(steptexts::kApplyRefused), {planned.error()});
        return outcome;
    }
    DropNothingToTakeBack(planned->skippedRows, literalStands);
    outcome.accepted = true;
    outcome.plan = std::move(*planned);
    return outcome;
}

StepAcceptOutcome AcceptStep(const RowList& dialogRows, ListKind kind,
                             const LanguageDefinition& language, FileSystem& fs,
                             RecordLists wouldBe, RowList& mainList, void (*order)(RowList&),
                             SourceEncoding encoding, const std::vector<bool>& literalStands) {
    StepAcceptOutcome outcome;
    if ((outcome.message = CheckRecordLimits(dialogRows, kind, wouldBe))) return outcome;

    Expected<ApplyOutcome> applied = ApplyListToSources(dialogRows, kind, language, fs, encoding);
    if (!applied) {
        outcome.message = Message(std::string(steptexts::kApplyRefused), {applied.error()});
        return outcome;
    }

    DropNothingToTakeBack(applied->skippedRows, literalStands);

    RowList& newList = kind == ListKind::Constants ? wouldBe.constants : wouldBe.functions;
    const std::set<std::string> untouched = UntouchedFiles(*applied);
    bool reorder = false;
    if (!untouched.empty()) {
        // The sources of these files are as they were: so is what the record says of them.
        RowList kept(kMainColumnCount);
        for (const Row& row : newList.rows())
            if (untouched.count(row.columns[kMainFile]) == 0) kept.Append(row.columns, row.image);
        for (const Row& row : mainList.rows())
            if (untouched.count(TrimTrailingBlanks(row.columns[kMainFile])) != 0)
                kept.Append(row.columns, row.image);
        newList = std::move(kept);
        reorder = true;
    }
    for (const SkippedRow& skipped : applied->skippedRows) {
        if (skipped.applying || skipped.reason == RowSkipReason::FileNotWritten) continue;
        const std::string& type = dialogRows.Text(skipped.row, kStepName);
        const int image = kind == ListKind::Functions  ? 0
                          : type == texts::kTypeString ? kMainStringImage
                                                       : kMainNumericImage;
        newList.Append({dialogRows.Text(skipped.row, kStepKey), type,
                        dialogRows.Text(skipped.row, kStepValue), skipped.file, skipped.position},
                       image);
        reorder = true;
    }
    if (reorder) order(newList);
    mainList = std::move(newList);
    outcome.accepted = true;
    outcome.message = RowsLeftMessage(dialogRows, *applied);
    outcome.files = std::move(*applied);
    return outcome;
}

}  // namespace korvexer
