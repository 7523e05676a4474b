// SPDX-License-Identifier: MIT
// WorkbenchMessage: a message box or question the main window shows, as the model decides it.
#pragma once

#include <string>
#include <string_view>

namespace korvexer {

enum class MessageIcon { Information, Exclamation, Question };
enum class MessageButtons { Ok, YesNo };

// The text, caption (GBK), icon and buttons of one message box.
struct WorkbenchMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;

    // An information box with an OK button.
    static WorkbenchMessage Info(std::string_view text, std::string_view caption) {
        return {std::string(text), std::string(caption), MessageIcon::Information,
                MessageButtons::Ok};
    }
    // A question with Yes and No.
    static WorkbenchMessage Question(std::string_view text, std::string_view caption) {
        return {std::string(text), std::string(caption), MessageIcon::Question,
                MessageButtons::YesNo};
    }
};

}  // namespace korvexer
