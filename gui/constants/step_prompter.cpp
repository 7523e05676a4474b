// SPDX-License-Identifier: MIT
// StepPrompter: model messages in GBK shown as Qt text, and the QMessageBox implementation.
#include "gui/constants/step_prompter.h"

#include <QMessageBox>

#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

void StepPrompter::Show(QWidget* parent, const StepMessage& message) {
    Inform(parent, GbkCodec::ToQString(message.text), GbkCodec::ToQString(message.caption));
}

void QtStepPrompter::Inform(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox::information(parent, caption, text, QMessageBox::Ok);
}

}  // namespace korvexer::gui
