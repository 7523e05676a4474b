// SPDX-License-Identifier: MIT
// QtFileChooser: the file-open dialogs of the running program.
#include "gui/app/file_chooser.h"

#include <QDir>
#include <QFileDialog>

#include "gui/app/file_name_filter_proxy.h"

namespace korvexer::gui {

namespace {

QStringList Run(QWidget* parent, const QList<NameFilter>& filters, const QString& folder,
                QFileDialog::FileMode mode) {
    QFileDialog dialog(parent, QString(), folder);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (NativeDialogPlatform() == DialogPlatform::Linux) {
        UseOwnNameMatching(dialog, filters);
    } else {
        QStringList names;
        for (const NameFilter& filter : filters) names << QtNameFilter(filter);
        dialog.setNameFilters(names);
        if (!names.isEmpty()) dialog.selectNameFilter(names.front());
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    // Qt names files with '/' everywhere; the core's path rules expect the platform's separator.
    QStringList chosen;
    for (const QString& file : dialog.selectedFiles()) chosen << QDir::toNativeSeparators(file);
    return chosen;
}

}  // namespace

QString QtFileChooser::ChooseFile(QWidget* parent, const QList<NameFilter>& filters,
                                  const QString& folder) {
    const QStringList chosen = Run(parent, filters, folder, QFileDialog::ExistingFile);
    return chosen.isEmpty() ? QString() : chosen.front();
}

QStringList QtFileChooser::ChooseFiles(QWidget* parent, const QList<NameFilter>& filters,
                                       const QString& folder) {
    return Run(parent, filters, folder, QFileDialog::ExistingFiles);
}

}  // namespace korvexer::gui
