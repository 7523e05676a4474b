// SPDX-License-Identifier: MIT
// SyncShownRows: brings the rows a grid list shows up to date with a step model's rows.
#pragma once

#include "core/app/row_list.h"

namespace korvexer::gui {

class RowListModel;

// Makes the rows of `shown` equal (in their text columns) to `source` through the model's own
// row operations, so the list keeps its selection and current row: rows that `source` lost are
// removed where the two first differ, changed cells are set, new rows appended with their image.
// Images of rows already shown are left to the list's painter, which sets them from its rules.
void SyncShownRows(RowListModel& shown, const RowList& source);

}  // namespace korvexer::gui
