// SPDX-License-Identifier: MIT
// StepPrompter: how the step dialogs show their messages, and its message-box implementation.
#pragma once

#include <QString>

#include "core/constants/constant_step_outcome.h"

class QWidget;

namespace korvexer::gui {

// Shows an information message with an OK button over a step dialog. Tests replace it with a fake
// that records the messages.
class StepPrompter {
public:
    virtual ~StepPrompter() = default;
    // Shows `text` with `caption` and the information icon, modally over `parent`.
    virtual void Inform(QWidget* parent, const QString& text, const QString& caption) = 0;

    // Shows a model's message (GBK text and caption).
    void Show(QWidget* parent, const StepMessage& message);
};

// The StepPrompter of the running program: QMessageBox.
class QtStepPrompter : public StepPrompter {
public:
    void Inform(QWidget* parent, const QString& text, const QString& caption) override;
};

}  // namespace korvexer::gui
