// SPDX-License-Identifier: MIT
// QtPrompter: the message boxes of the running program.
#include "gui/app/prompter.h"

#include <QMessageBox>

namespace korvexer::gui {

Prompter::Answer QtPrompter::Show(QWidget* parent, const QString& text, const QString& caption,
                                  Icon icon, Buttons buttons) {
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    if (icon == Icon::Exclamation) boxIcon = QMessageBox::Warning;
    if (icon == Icon::Question) boxIcon = QMessageBox::Question;
    const bool yesNo = buttons == Buttons::YesNo;
    QMessageBox box(boxIcon, caption, text,
                    yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, parent);
    box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    if (yesNo) box.setEscapeButton(QMessageBox::No);
    const int pressed = box.exec();
    if (!yesNo) return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

}  // namespace korvexer::gui
