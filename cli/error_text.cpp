// SPDX-License-Identifier: MIT
// ErrorText: a message and its failures, in English, for standard error.
#include "cli/error_text.h"

namespace korvexer::cli {

std::string ErrorText(const CliContext& context, std::string_view gbkText,
                      const std::vector<Error>& failures) {
    std::string text = context.ToUser(gbkText);
    for (const Error& failure : failures) {
        if (!text.empty()) text += text.back() == ':' ? " " : "; ";
        if (!failure.path.empty()) text += context.ToUser(failure.path) + ": ";
        text += context.ToUser(failure.message);
    }
    return text;
}

}  // namespace korvexer::cli
