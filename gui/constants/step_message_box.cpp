// SPDX-License-Identifier: MIT
// ShowStepMessage: the GBK message turned into Qt text at the one adapter.
#include "gui/constants/step_message_box.h"

#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

void ShowStepMessage(Prompter& prompter, QWidget* parent, const StepMessage& message) {
    prompter.Show(parent, GbkCodec::ToQString(message.text), GbkCodec::ToQString(message.caption),
                  Prompter::Icon::Information, Prompter::Buttons::Ok);
}

}  // namespace korvexer::gui
