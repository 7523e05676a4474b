// SPDX-License-Identifier: MIT
// FailureText: how the window words a failure the core reports, in one place.
#pragma once

#include <string_view>
#include <vector>

#include <QString>

#include "core/platform/expected.h"

namespace korvexer::gui {

// Why `error` happened, as a Chinese clause ending in "。" (its kind says why; the core's English
// details are never shown in the window).
QString FailureReason(const Error& error);

// `gbkText` (the fixed sentence of the operation, GBK), then each failure on a line of its own:
// its file and its reason, or its reason alone for a failure of no file.
QString FailureText(std::string_view gbkText, const std::vector<Error>& failures);
// The message for one failed file operation: the failure named by its own path, else by `file`.
QString FailureText(std::string_view gbkText, const Error& error, std::string_view file);

}  // namespace korvexer::gui
