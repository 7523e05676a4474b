// SPDX-License-Identifier: MIT
// FailureText: how the window words a failure the core reports, in one place.
#pragma once

#include <string_view>

#include <QString>

#include "core/platform/expected.h"

namespace korvexer::gui {

// The message for a failed file operation: `gbkText` (the fixed sentence of the operation, GBK),
// then the file concerned (the error's own path, else `file`), then the reason the core gives.
QString FailureText(std::string_view gbkText, const Error& error, std::string_view file);

}  // namespace korvexer::gui
