// SPDX-License-Identifier: MIT
// What the step dialogs' models hand back: messages, the field to focus, the outcome of an edit
// and of OK.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/rewrite/apply_list_to_sources.h"

namespace korvexer {

// A message box of a step dialog: GBK text and caption, information icon, OK button, and the
// failures that the front end words after the text in its user's language, each with its file
// (Error::path; none for a failure of no file).
struct StepMessage {
    std::string text;
    std::string caption;
    std::vector<Error> failures = {};
};

// The edit field that a step dialog focuses after a message.
enum class StepField { None, Index, Value };

// The result of a hand edit: the message to show (if any) and the field to focus after it.
struct StepEditOutcome {
    bool changed = false;  // a row was added or changed
    std::optional<StepMessage> message;
    StepField focus = StepField::None;
};

// The result of a step dialog's OK.
struct StepAcceptOutcome {
    // True when the dialog closes with OK: the main list holds the new rows and the sources were
    // rewritten (except the files named in `message`). False when OK was refused: then nothing
    // changed, neither the main list nor any file, and `message` says why.
    bool accepted = false;
    std::optional<StepMessage> message;
    ApplyOutcome files;  // what the rewrite did (empty when refused)
};

}  // namespace korvexer
