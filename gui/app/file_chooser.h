// SPDX-License-Identifier: MIT
// FileChooser: the file-open dialogs, behind an interface so tests can pick files.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "gui/app/name_filter.h"

class QWidget;

namespace korvexer::gui {

// Opens existing files. `filters` are offered in order, the first one selected; `folder` is where
// the dialog starts ("" for its default).
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // One file; empty when cancelled.
    virtual QString ChooseFile(QWidget* parent, const QList<NameFilter>& filters,
                               const QString& folder) = 0;
    // Several files in the order the dialog gives them; empty when cancelled.
    virtual QStringList ChooseFiles(QWidget* parent, const QList<NameFilter>& filters,
                                    const QString& folder) = 0;
};

// The FileChooser of the running program: QFileDialog. On Windows it is the system's dialog; on
// Linux Qt's own, whose filters match without regard to case and can offer files without a
// suffix, and which speaks the window's language.
class QtFileChooser : public FileChooser {
public:
    QString ChooseFile(QWidget* parent, const QList<NameFilter>& filters,
                       const QString& folder) override;
    QStringList ChooseFiles(QWidget* parent, const QList<NameFilter>& filters,
                            const QString& folder) override;
};

}  // namespace korvexer::gui
