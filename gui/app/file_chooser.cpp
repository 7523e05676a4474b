// SPDX-License-Identifier: MIT
// QtFileChooser: the file-open dialogs of the running program.
#include "gui/app/file_chooser.h"

#include <QFileDialog>

namespace korvexer::gui {

namespace {

QStringList Run(QWidget* parent, const QStringList& filters, const QString& folder,
                QFileDialog::FileMode mode) {
    QFileDialog dialog(parent, QString(), folder);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

}  // namespace

QString QtFileChooser::ChooseFile(QWidget* parent, const QStringList& filters,
                                  const QString& folder) {
    const QStringList chosen = Run(parent, filters, folder, QFileDialog::ExistingFile);
    return chosen.isEmpty() ? QString() : chosen.front();
}

QStringList QtFileChooser::ChooseFiles(QWidget* parent, const QStringList& filters,
                                       const QString& folder) {
    return Run(parent, filters, folder, QFileDialog::ExistingFiles);
}

}  // namespace korvexer::gui
