// SPDX-License-Identifier: MIT
// Geometry of the grid list, kept free of widgets so tests can call it directly.
#include "gui/controls/grid_geometry.h"

#include <numeric>

namespace korvexer::gui::grid_geometry {

int EnlargedFontHeight(int height, int by) {
    if (height < 0) return height - by;
    if (height > 0) return height + by;
    return 0;
}

GridLines ComputeGridLines(const GridLineInput& input) {
    GridLines lines;
    lines.whiteY = {input.headerBottom, input.headerBottom + 1};
    // A full page of lines even when fewer rows exist, so the grid looks like a sheet.
    for (int k = 1; k <= input.rowsPerPage; ++k)
        lines.horizontalY.push_back(input.headerBottom + k * input.rowHeight);
    int x = input.horizontalStart;
    for (int width : input.columnWidths) {
        x += width;
        if (x >= input.clientWidth) break;
        lines.verticalX.push_back(x);
    }
    return lines;
}

int ColumnAtX(int x, int left, const std::vector<int>& columnWidths) {
    for (std::size_t column = 0; column < columnWidths.size(); ++column) {
        const int width = columnWidths[column];
        if (left <= x && x <= left + width) return static_cast<int>(column);
        left += width;
    }
    return -1;
}

RowHit HitTestRows(QPoint point, const RowHitInput& input) {
    const int total = std::accumulate(input.columnWidths.begin(), input.columnWidths.end(), 0);
    int last = input.firstRow + input.rowsPerPage;
    if (last > input.rowCount) last = input.rowCount;
    for (int row = input.firstRow; row <= last; ++row) {
        if (row < 0 || row >= input.rowCount) continue;
        const int top = input.firstRowTop + (row - input.firstRow) * input.rowHeight;
        const bool inBounds = point.x() >= input.boundsLeft &&
                              point.x() < input.boundsLeft + total && point.y() >= top &&
                              point.y() < top + input.rowHeight;
        if (!inBounds) continue;
        const int column = ColumnAtX(point.x(), input.boundsLeft, input.columnWidths);
        if (column >= 0) return RowHit{row, column};
    }
    return RowHit{};
}

RowParts SplitRow(int left, int top, int height, const std::vector<int>& columnWidths,
                  int iconWidth, int iconMargin) {
    const int total = std::accumulate(columnWidths.begin(), columnWidths.end(), 0);
    const int first = columnWidths.empty() ? 0 : columnWidths.front();
    RowParts parts;
    parts.bounds = QRect(left, top, total, height);
    parts.icon = QRect(left + iconMargin, top, iconWidth, height);
    const int labelLeft = left + iconMargin + iconWidth;
    parts.label = QRect(QPoint(labelLeft, top), QPoint(left + first - 1, top + height - 1));
    parts.highlight = QRect(QPoint(labelLeft, top), QPoint(left + total - 1, top + height - 1));
    return parts;
}

QPoint CentredOrigin(QSize client, QSize textSize) {
    // Integer division in C++ truncates towards zero, as the layout wants for wide texts.
    return QPoint((client.width() - textSize.width()) / 2,
                  (client.height() - textSize.height()) / 2);
}

}  // namespace korvexer::gui::grid_geometry
