// SPDX-License-Identifier: MIT
// FileChooser: the file-open dialogs, behind an interface so tests can pick files.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace korvexer::gui {

// Opens existing files. `filters` are Qt name filters ("Sources (*.cpp *.c)"), the first one
// selected; `folder` is where the dialog starts ("" for its default).
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // One file; empty when cancelled.
    virtual QString ChooseFile(QWidget* parent, const QStringList& filters,
                               const QString& folder) = 0;
    // Several files in the order the dialog gives them; empty when cancelled.
    virtual QStringList ChooseFiles(QWidget* parent, const QStringList& filters,
                                    const QString& folder) = 0;
};

// The FileChooser of the running program: QFileDialog.
class QtFileChooser : public FileChooser {
public:
    QString ChooseFile(QWidget* parent, const QStringList& filters, const QString& folder) override;
    QStringList ChooseFiles(QWidget* parent, const QStringList& filters,
                            const QString& folder) override;
};

}  // namespace korvexer::gui
