// SPDX-License-Identifier: MIT
// Prompter: message boxes and questions, behind an interface so tests can answer them.
#pragma once

#include <QString>

class QWidget;

namespace korvexer::gui {

// A message box: text, caption, icon and buttons in, the button pressed out.
class Prompter {
public:
    enum class Icon { Information, Exclamation, Question };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~Prompter() = default;
    // Shows the box modally over `parent` and returns the button pressed; closing a Yes/No box
    // without choosing answers No.
    virtual Answer Show(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                        Buttons buttons) = 0;
};

// The Prompter of the running program: QMessageBox.
class QtPrompter : public Prompter {
public:
    Answer Show(QWidget* parent, const QString& text, const QString& caption, Icon icon,
                Buttons buttons) override;
};

}  // namespace korvexer::gui
