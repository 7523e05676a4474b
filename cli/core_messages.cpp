// SPDX-License-Identifier: MIT
// English wording of the core's refusals.
#include "cli/core_messages.h"

#include <set>
#include <string_view>

#include "cli/cli_context.h"
#include "cli/error_text.h"
#include "core/list/row_layouts.h"
#include "core/record/record_file.h"

namespace korvexer::cli {

namespace {

constexpr const char* kNarrow =
    "narrow the selection with --file, --exclude, --strings, --numbers, --value or "
    "--exclude-value; nothing was changed";

const char* ColumnName(std::size_t column) {
    switch (column) {
        case kStepKey:
            return "index";
        case kStepName:
            return "call";
        case kStepValue:
            return "value";
        case kStepFile:
            return "file name";
        default:
            return "position";
    }
}

std::string Thousands(std::size_t number) {
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

}  // namespace

std::string RecordLimitMessage(CliContext& context, const RecordLimitCheck& check,
                               const RowList& rows) {
    if (!check.longFields.empty()) {
        std::set<std::size_t> longRows;
        for (const RecordLimitCheck::LongField& field : check.longFields)
            longRows.insert(field.row);
        const RecordLimitCheck::LongField& first = check.longFields.front();
        return std::to_string(longRows.size()) +
               (longRows.size() == 1 ? " row has" : " rows have") + " a field longer than the " +
               std::to_string(kRecordFieldLimit) + " bytes a record field holds (the first: " +
               context.ToUser(rows.Text(first.row, kStepFile)) + ":" +
               rows.Text(first.row, kStepPosition) + ", its " + ColumnName(first.column) + " of " +
               std::to_string(first.bytes) + " bytes); " + kNarrow;
    }
    if (check.sectionBytes > kRecordSectionLimit)
        return "the selection is more than the record holds: its list needs " +
               Thousands(check.sectionBytes) + " bytes, " +
               Thousands(check.sectionBytes - kRecordSectionLimit) + " more than the " +
               Thousands(kRecordSectionLimit) + " of a record section, so " +
               std::to_string(check.rowsPastSection) +
               (check.rowsPastSection == 1 ? " row is" : " rows are") + " over the limit; " +
               kNarrow;
    if (check.otherRefusal)
        return "the record cannot hold the project's other lists: " +
               context.ToUser(check.otherRefusal->message) + "; nothing was changed";
    return "the record cannot hold the selection; nothing was changed";
}

std::string StepRefusalMessage(CliContext& context, const StepAcceptOutcome& outcome) {
    if (outcome.message && !outcome.message->failures.empty())
        return ErrorText(context, {}, outcome.message->failures) + "; nothing was changed";
    return "the step was refused; nothing was changed";
}

std::string RecordNotWrittenMessage(CliContext& context, const WorkbenchMessage& message) {
    const std::string reason =
        message.failures.empty() ? std::string() : ErrorText(context, {}, message.failures);
    return "the record file could not be written" +
           (reason.empty() ? std::string() : " (" + reason + ")") +
           "; the source files were rewritten, so run the step again once the record can be "
           "written";
}

}  // namespace korvexer::cli
