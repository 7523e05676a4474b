// SPDX-License-Identifier: MIT
// FileNameFilterProxy: folders pass, files by the chosen filter.
#include "gui/app/file_name_filter_proxy.h"

#include <QFileDialog>
#include <QFileSystemModel>

namespace korvexer::gui {

FileNameFilterProxy::FileNameFilterProxy(QObject* parent) : QSortFilterProxyModel(parent) {
    m_filter.patterns << QStringLiteral("*");
}

void FileNameFilterProxy::SetFilter(const NameFilter& filter) {
    m_filter = filter;
    invalidateFilter();
}

bool FileNameFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr) return true;
    const QModelIndex index = files->index(sourceRow, 0, sourceParent);
    return files->isDir(index) || NameFilterMatches(m_filter, files->fileName(index));
}

void UseOwnNameMatching(QFileDialog& dialog, const QList<NameFilter>& filters) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The dialog's own model gets "*" for every filter, and the box shows the descriptions only.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList names;
    for (const NameFilter& filter : filters) names << filter.description + QStringLiteral(" (*)");
    dialog.setNameFilters(names);
    auto* proxy = new FileNameFilterProxy(&dialog);
    if (!filters.isEmpty()) proxy->SetFilter(filters.front());
    dialog.setProxyModel(proxy);
    // The signal carries the text the box shows, which is the description (simplified), or the
    // whole filter where the details are not hidden.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, proxy,
        [proxy, names, filters](const QString& picked) {
            for (qsizetype i = 0; i < filters.size(); ++i) {
                if (picked == filters[i].description.simplified() || picked == names[i]) {
                    proxy->SetFilter(filters[i]);
                    return;
                }
            }
        });
    if (!names.isEmpty()) dialog.selectNameFilter(names.front());
}

}  // namespace korvexer::gui
