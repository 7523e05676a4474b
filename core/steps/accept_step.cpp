// SPDX-License-Identifier: MIT
// The OK both step models share: the record-limit check, the rewrite, and the record of what the
// rewrite left.
#include "core/steps/accept_step.h"

#include <algorithm>
#include <string_view>

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

std::size_t SectionLength(const RowList& list, bool constants) {
    std::size_t length = (constants ? kConstantMagicBytes : 0) + kSectionEndBytes;
    for (std::size_t row = 0; row < list.size(); ++row) {
        length += kEntryLengthBytes;
        for (std::size_t column = 0; column < kMainColumnCount; ++column)
            length += constants && column == kMainName ? 1 : list.Text(row, column).size();
    }
    return length;
}

StepMessage Message(std::string text) {
    return {std::move(text), std::string(texts::kCaptionSystem)};
}

}  // namespace

std::optional<StepMessage> CheckRecordLimits(const RowList& dialogRows, ListKind kind,
                                             const RecordLists& wouldBe) {
    const bool constants = kind == ListKind::Constants;
    for (std::size_t row = 0; row < dialogRows.size(); ++row) {
        if (dialogRows.Text(row, kStepState) != texts::kStateReplace) continue;
        for (const CheckedColumn& checked : constants ? kConstantColumns : kFunctionColumns) {
            const std::size_t size = dialogRows.Text(row, checked.column).size();
            if (size <= kRecordFieldLimit) continue;
            std::string text(steptexts::kRowTooLongBegin);
            text += std::to_string(row + 1);
            text += steptexts::kRowTooLongField;
            text += checked.title;
            text += steptexts::kRowTooLongBytes;
            text += std::to_string(size);
            text += steptexts::kRowTooLongEnd;
            return Message(std::move(text));
        }
    }
    const std::size_t length =
        SectionLength(constants ? wouldBe.constants : wouldBe.functions, constants);
    if (length > kRecordSectionLimit) {
        std::string text(steptexts::kListTooLongBegin);
        text += std::to_string(length);
        text += steptexts::kListTooLongEnd;
        return Message(std::move(text));
    }
    // The other lists of the record come from the main window as they are; they may still be
    // what the record cannot hold.
    Expected<std::string> assembled = AssembleRecordFile(wouldBe);
    if (!assembled)
        return Message(std::string(steptexts::kApplyRefused) + assembled.error().message);
    return std::nullopt;
}

std::set<std::string> UntouchedFiles(const ApplyOutcome& outcome) {
    std::set<std::string> files;
    for (const Error& error : outcome.failedFiles) files.insert(error.path);
    return files;
}

StepAcceptOutcome AcceptStep(const RowList& dialogRows, ListKind kind,
                             const LanguageDefinition& language, FileSystem& fs,
                             RecordLists wouldBe, RowList& mainList, void (*order)(RowList&),
                             const std::vector<bool>& literalStands) {
    StepAcceptOutcome outcome;
    if ((outcome.message = CheckRecordLimits(dialogRows, kind, wouldBe))) return outcome;

    Expected<ApplyOutcome> applied = ApplyListToSources(dialogRows, kind, language, fs);
    if (!applied) {
        outcome.message =
            StepMessage{std::string(steptexts::kApplyRefused) + applied.error().message,
                        std::string(texts::kCaptionSystem)};
        return outcome;
    }

    std::vector<SkippedRow>& skippedRows = applied->skippedRows;
    skippedRows.erase(std::remove_if(skippedRows.begin(), skippedRows.end(),
                                     [&](const SkippedRow& skipped) {
                                         return !skipped.applying &&
                                                skipped.reason == RowSkipReason::TextNotThere &&
                                                skipped.row < literalStands.size() &&
                                                literalStands[skipped.row];
                                     }),
                      skippedRows.end());

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
