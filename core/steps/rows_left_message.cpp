// SPDX-License-Identifier: MIT
// The message that names the files and rows a step's rewrite left as they stood.
#include "core/steps/rows_left_message.h"

#include <string>
#include <string_view>

#include "core/list/list_texts.h"
#include "core/list/row_layouts.h"
#include "core/steps/message_texts.h"
#include "core/steps/step_texts.h"

namespace korvexer {

namespace {

std::string_view ReasonText(RowSkipReason reason) {
    switch (reason) {
        case RowSkipReason::FileUnreadable:
            return steptexts::kLeftFileUnreadable;
        case RowSkipReason::FileNotWritten:
            return steptexts::kLeftFileNotWritten;
        case RowSkipReason::TextNotThere:
            return steptexts::kLeftTextNotThere;
        case RowSkipReason::KeyTaken:
            return steptexts::kLeftKeyTaken;
        case RowSkipReason::PlaceTaken:
            return steptexts::kLeftPlaceTaken;
    }
    return steptexts::kLeftTextNotThere;
}

// The files' own message names their rows' trouble already.
bool NamedByItsFile(const SkippedRow& skipped) {
    return skipped.reason == RowSkipReason::FileUnreadable ||
           skipped.reason == RowSkipReason::FileNotWritten;
}

}  // namespace

std::optional<StepMessage> FilesNotWrittenMessage(const ApplyOutcome& outcome) {
    if (outcome.failedFiles.empty() && outcome.unreadableFiles.empty()) return std::nullopt;
    std::vector<Error> failures = outcome.failedFiles;
    failures.insert(failures.end(), outcome.unreadableFiles.begin(), outcome.unreadableFiles.end());
    return StepMessage{std::string(steptexts::kFilesNotWritten), std::string(texts::kCaptionSystem),
                       std::move(failures)};
}

std::optional<StepMessage> RowsLeftMessage(const RowList& dialogRows, const ApplyOutcome& outcome) {
    std::optional<StepMessage> files = FilesNotWrittenMessage(outcome);
    std::size_t named = 0, more = 0;
    std::string rows;
    for (const SkippedRow& skipped : outcome.skippedRows) {
        if (NamedByItsFile(skipped)) continue;
        if (named == kRowsLeftNamed) {
            ++more;
            continue;
        }
        ++named;
        rows += '\n';
        rows += skipped.applying ? texts::kStateReplace : steptexts::kRowTakeBack;
        for (std::size_t column : {kStepKey, kStepName, kStepValue}) {
            rows += ' ';
            if (skipped.row < dialogRows.size()) rows += dialogRows.Text(skipped.row, column);
        }
        rows += ' ';
        rows += skipped.file;
        rows += ' ';
        rows += skipped.position;
        rows += "\xA3\xBA";  // "："
        rows += ReasonText(skipped.reason);
    }
    if (named == 0) return files;
    if (more > 0) {
        rows += '\n';
        rows += steptexts::kRowsLeftMoreBegin;
        rows += std::to_string(more);
        rows += steptexts::kRowsLeftMoreEnd;
    }
    // The rows first: the front end words the files' failures after the text.
    StepMessage message{std::string(steptexts::kRowsLeftHead) + rows,
                        std::string(texts::kCaptionSystem)};
    if (files) {
        message.text += "\n\n";
        message.text += files->text;
        message.failures = std::move(files->failures);
    }
    return message;
}

}  // namespace korvexer
