// SPDX-License-Identifier: MIT
// korvexer-cli's own English words for what the core reports in the window's Chinese.
#pragma once

#include <string>

#include "core/app/workbench_message.h"
#include "core/list/row_list.h"
#include "core/steps/accept_step.h"

namespace korvexer::cli {

class CliContext;

// Why a selection is more than the record holds, with how much to leave out and how: the rows
// with a field past 255 bytes (the first named by file and position), or the bytes and rows past
// the 102,409 of a section. `rows` are the step's rows that `check` measured.
std::string RecordLimitMessage(CliContext& context, const RecordLimitCheck& check,
                               const RowList& rows);

// A step's refusal: the failures it carries, each with its file and the core's English reason,
// else a plain sentence.
std::string StepRefusalMessage(CliContext& context, const StepAcceptOutcome& outcome);

// The record could not be written after a step: the file and the system's reason, from the
// failures of the window's message.
std::string RecordNotWrittenMessage(CliContext& context, const WorkbenchMessage& message);

}  // namespace korvexer::cli
