// SPDX-License-Identifier: MIT
// SyncShownRows: row-by-row updates instead of a model reset, which would drop the selection.
#include "gui/constants/shown_rows.h"

#include <cstddef>

#include "gui/controls/row_list_model.h"

namespace korvexer::gui {

namespace {

bool SameColumns(const RowListModel& shown, int row, const RowList& source, std::size_t at) {
    const int columns = shown.columnCount();
    for (int column = 0; column < columns; ++column)
        if (shown.Text(row, column) != source.Text(at, static_cast<std::size_t>(column)))
            return false;
    return true;
}

}  // namespace

void SyncShownRows(RowListModel& shown, const RowList& source) {
    const int wanted = static_cast<int>(source.size());
    // The models delete one row at a time, so each missing row is found where the lists first
    // part; a row past the common part is dropped from the end.
    while (shown.rowCount() > wanted) {
        int row = 0;
        while (row < wanted && SameColumns(shown, row, source, static_cast<std::size_t>(row)))
            ++row;
        shown.RemoveRow(row);
    }
    const int columns = shown.columnCount();
    for (int row = 0; row < shown.rowCount(); ++row)
        for (int column = 0; column < columns; ++column) {
            const std::string& text =
                source.Text(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
            if (shown.Text(row, column) != text) shown.SetText(row, column, text);
        }
    for (int row = shown.rowCount(); row < wanted; ++row)
        shown.AppendRow(source[static_cast<std::size_t>(row)].columns,
                        source.Image(static_cast<std::size_t>(row)));
}

}  // namespace korvexer::gui
