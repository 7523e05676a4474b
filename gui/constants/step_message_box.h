// SPDX-License-Identifier: MIT
// ShowStepMessage: a step model's message shown through the window's Prompter.
#pragma once

#include "core/steps/step_outcome.h"
#include "gui/app/prompter.h"

class QWidget;

namespace korvexer::gui {

// Shows `message` (GBK text and caption) over `parent` with the information icon and an OK
// button, as every message of the step dialogs is shown.
void ShowStepMessage(Prompter& prompter, QWidget* parent, const StepMessage& message);

}  // namespace korvexer::gui
