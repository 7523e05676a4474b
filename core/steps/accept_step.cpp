// SPDX-License-Identifier: MIT
// The OK both step models share: the record-limit check, the rewrite and the unwritten files.
#include "core/steps/accept_step.h"

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

std::optional<StepMessage> FilesNotWrittenMessage(const ApplyOutcome& outcome) {
    if (outcome.failedFiles.empty() && outcome.unreadableFiles.empty()) return std::nullopt;
    std::vector<Error> failures = outcome.failedFiles;
    failures.insert(failures.end(), outcome.unreadableFiles.begin(), outcome.unreadableFiles.end());
    return Message(std::string(steptexts::kFilesNotWritten), std::move(failures));
}

std::set<std::string> UntouchedFiles(const ApplyOutcome& outcome) {
    std::set<std::string> files;
    for (const Error& error : outcome.failedFiles) files.insert(error.path);
    return files;
}

StepPlanOutcome PlanStep(const RowList& dialogRows, ListKind kind,
                         const LanguageDefinition& language, FileSystem& fs,
                         const RecordLists& wouldBe, SourceEncoding encoding) {
    StepPlanOutcome outcome;
    outcome.limits = MeasureRecordLimits(dialogRows, kind, wouldBe);
    if ((outcome.message = LimitMessage(outcome.limits, kind))) return outcome;
    Expected<RewritePlan> planned = PlanListOnSources(dialogRows, kind, language, fs, encoding);
    if (!planned) {
        outcome.rewriteRefusal = planned.error();
        outcome.message = Message(std::string(steptexts::kApplyRefused), {planned.error()});
        return outcome;
    }
    outcome.accepted = true;
    outcome.plan = std::move(*planned);
    return outcome;
}

StepAcceptOutcome AcceptStep(const RowList& dialogRows, ListKind kind,
                             const LanguageDefinition& language, FileSystem& fs,
                             RecordLists wouldBe, RowList& mainList, void (*order)(RowList&),
                             SourceEncoding encoding) {
    StepAcceptOutcome outcome;
    if ((outcome.message = CheckRecordLimits(dialogRows, kind, wouldBe))) return outcome;

    Expected<ApplyOutcome> applied = ApplyListToSources(dialogRows, kind, language, fs, encoding);
    if (!applied) {
        outcome.message = Message(std::string(steptexts::kApplyRefused), {applied.error()});
        return outcome;
    }

    RowList& newList = kind == ListKind::Constants ? wouldBe.constants : wouldBe.functions;
    const std::set<std::string> untouched = UntouchedFiles(*applied);
    if (!untouched.empty()) {
        // The sources of these files are as they were: so is what the record says of them.
        RowList kept(kMainColumnCount);
        for (const Row& row : newList.rows())
            if (untouched.count(row.columns[kMainFile]) == 0) kept.Append(row.columns, row.image);
        for (const Row& row : mainList.rows())
            if (untouched.count(TrimTrailingBlanks(row.columns[kMainFile])) != 0)
                kept.Append(row.columns, row.image);
        order(kept);
        newList = std::move(kept);
    }
    mainList = std::move(newList);
    outcome.accepted = true;
    outcome.message = FilesNotWrittenMessage(*applied);
    outcome.files = std::move(*applied);
    return outcome;
}

}  // namespace korvexer
