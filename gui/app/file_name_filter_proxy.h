// SPDX-License-Identifier: MIT
// FileNameFilterProxy: the files of a file dialog's model that the chosen NameFilter offers.
#pragma once

#include <QSortFilterProxyModel>

#include "gui/app/name_filter.h"

class QFileDialog;

namespace korvexer::gui {

// Over a QFileSystemModel: folders always pass (to walk through them), files when the filter
// offers their name. Qt's own name filters match case-sensitively on Linux and cannot offer names
// without a suffix; this filter does both.
class FileNameFilterProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FileNameFilterProxy(QObject* parent = nullptr);

    void SetFilter(const NameFilter& filter);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    NameFilter m_filter;
};

// Sets Qt's own (not the system's) `dialog` up to offer `filters`, the first one selected: the
// filter box shows their descriptions, and a FileNameFilterProxy follows the one the user picks.
void UseOwnNameMatching(QFileDialog& dialog, const QList<NameFilter>& filters);

}  // namespace korvexer::gui
