// SPDX-License-Identifier: MIT
// Fakes of the window's outside world: message boxes, file dialogs and the shell's open.
#pragma once

#include <deque>
#include <vector>

#include <QString>
#include <QStringList>

#include "gui/app/file_chooser.h"
#include "gui/app/prompter.h"
#include "gui/app/shell_opener.h"

namespace korvexer::gui::test_support {

// Records every box and answers from a queue: Ok for OK boxes, the next queued answer (No when the
// queue is empty) for questions.
class FakePrompter : public Prompter {
public:
    struct Box {
        QString text;
        QString caption;
        Icon icon;
        Buttons buttons;
    };

    Answer Show(QWidget*, const QString& text, const QString& caption, Icon icon,
                Buttons buttons) override {
        shown.push_back({text, caption, icon, buttons});
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) return Answer::No;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Box> shown;
    std::deque<Answer> answers;
};

// Hands out the files set beforehand and remembers what it was asked with.
class FakeFileChooser : public FileChooser {
public:
    QString ChooseFile(QWidget*, const QList<NameFilter>& filters, const QString& folder) override {
        ++calls;
        lastFilters = filters;
        lastFolder = folder;
        return file;
    }
    QStringList ChooseFiles(QWidget*, const QList<NameFilter>& filters,
                            const QString& folder) override {
        ++calls;
        lastFilters = filters;
        lastFolder = folder;
        return files;
    }

    QString file;
    QStringList files;
    QList<NameFilter> lastFilters;
    QString lastFolder;
    int calls = 0;
};

class FakeShellOpener : public ShellOpener {
public:
    bool Open(const QString& path) override {
        opened << path;
        return true;
    }
    QStringList opened;
};

}  // namespace korvexer::gui::test_support
