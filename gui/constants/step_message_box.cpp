// SPDX-License-Identifier: MIT
// ShowStepMessage: the GBK message and its failures turned into the window's text.
#include "gui/constants/step_message_box.h"

#include "gui/app/failure_text.h"
#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

void ShowStepMessage(Prompter& prompter, QWidget* parent, const StepMessage& message) {
    prompter.Show(parent, FailureText(message.text, message.failures),
                  GbkCodec::ToQString(message.caption), Prompter::Icon::Information,
                  Prompter::Buttons::Ok);
}

}  // namespace korvexer::gui
