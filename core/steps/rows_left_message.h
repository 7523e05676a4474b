// SPDX-License-Identifier: MIT
// The message after a step's OK that names what the rewrite left as it stood.
#pragma once

#include <cstddef>
#include <optional>

#include "core/list/row_list.h"
#include "core/rewrite/apply_list_to_sources.h"
#include "core/steps/step_outcome.h"

namespace korvexer {

// The most rows the message names one by one; the rest are counted.
inline constexpr std::size_t kRowsLeftNamed = 20;

// One message naming every file that could not be rewritten or read; nothing when there is none.
std::optional<StepMessage> FilesNotWrittenMessage(const ApplyOutcome& outcome);

// One message for everything the rewrite of `dialogRows` left as it stood: each row whose text was
// not at its position or whose key an earlier row had, with what was to be done ("替换" or "撤销"),
// its key, name, value, file, position and the reason; then the files that could not be written or
// read (as FilesNotWrittenMessage, their failures). Nothing when the rewrite did all it was to do.
std::optional<StepMessage> RowsLeftMessage(const RowList& dialogRows, const ApplyOutcome& outcome);

}  // namespace korvexer
