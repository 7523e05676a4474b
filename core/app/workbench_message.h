// SPDX-License-Identifier: MIT
// WorkbenchMessage: a message box or question the main window shows, as the model decides it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/platform/expected.h"

namespace korvexer {

enum class MessageIcon { Information, Exclamation, Question };
enum class MessageButtons { Ok, YesNo };

// The text, caption (GBK), icon and buttons of one message box, and the failures that the front
// end words after the text in its user's language, each with its file (Error::path).
struct WorkbenchMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    std::vector<Error> failures = {};

    // An information box with an OK button.
    static WorkbenchMessage Info(std::string_view text, std::string_view caption) {
        return {std::string(text),
                std::string(caption),
                MessageIcon::Information,
                MessageButtons::Ok,
                {}};
    }
    // A question with Yes and No.
    static WorkbenchMessage Question(std::string_view text, std::string_view caption) {
        return {std::string(text),
                std::string(caption),
                MessageIcon::Question,
                MessageButtons::YesNo,
                {}};
    }
};

}  // namespace korvexer
