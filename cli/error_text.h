// SPDX-License-Identifier: MIT
// ErrorText: how korvexer-cli words a failure the core reports.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_context.h"
#include "core/platform/expected.h"

namespace korvexer::cli {

// `gbkText` (a model's message; may be empty) followed by each failure: its file and the core's
// English reason ("FILE: REASON"), or the reason alone for a failure of no file; all in the user's
// encoding, on one line.
std::string ErrorText(const CliContext& context, std::string_view gbkText,
                      const std::vector<Error>& failures);

}  // namespace korvexer::cli
