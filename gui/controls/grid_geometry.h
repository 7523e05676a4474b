// SPDX-License-Identifier: MIT
// Geometry of the grid list: grid lines, hit testing, row parts, notice position, font heights.
#pragma once

#include <vector>

#include <QPoint>
#include <QRect>

namespace korvexer::gui::grid_geometry {

// Pixels of the first column before the row image.
inline constexpr int kIconMargin = 2;

// A font height enlarged by `by` in magnitude: negative heights (character heights) become
// more negative, positive ones (cell heights) larger; 0 (no preference) stays 0.
int EnlargedFontHeight(int height, int by);

// What the grid lines are drawn from, in the coordinates of the area below the header.
struct GridLineInput {
    int headerBottom = 0;     // y of the first pixel below the header
    int horizontalStart = 0;  // x of the first column's left edge (minus the scroll position)
    int rowHeight = 0;
    int rowsPerPage = 0;  // rows that fit on a page entirely
    std::vector<int> columnWidths;
    int clientWidth = 0;
    int clientHeight = 0;
};

struct GridLines {
    std::vector<int> whiteY;       // the white double line under the header
    std::vector<int> horizontalY;  // one line under each row of a full page
    std::vector<int> verticalX;    // column right edges left of the client's right edge
};

// Positions of the grid lines: white lines at headerBottom and headerBottom + 1, grid lines at
// headerBottom + k * rowHeight for k = 1..rowsPerPage, and a vertical line at each column's right
// edge until the first edge at or beyond the client's right edge.
GridLines ComputeGridLines(const GridLineInput& input);

// The column holding x when the first column starts at `left`: the first column whose
// left <= x <= left + width (a boundary belongs to the column on its left), or -1.
int ColumnAtX(int x, int left, const std::vector<int>& columnWidths);

// The visible rows as hit testing sees them.
struct RowHitInput {
    int firstRow = 0;     // the top visible row
    int firstRowTop = 0;  // its top y
    int rowHeight = 0;
    int rowCount = 0;
    int rowsPerPage = 0;
    int boundsLeft = 0;  // left edge of the rows' bounds (first column)
    std::vector<int> columnWidths;
};

struct RowHit {
    int row = -1;
    int column = -1;
};

// The row and column under `point`: rows from the first visible one through rowsPerPage more
// (as far as they exist) are tried; a row is hit when the point lies in its bounds (right and
// bottom edges outside) and a column holds it. Otherwise the row is -1, the column -1.
RowHit HitTestRows(QPoint point, const RowHitInput& input);

// The parts of one row: the bounds over all columns, the image area and the label area of the
// first column, and the highlight area, which starts at the label (the image is not part of it).
struct RowParts {
    QRect bounds;
    QRect icon;
    QRect label;
    QRect highlight;
};

// Splits a row whose first column starts at `left`, with `top` and `height`, the given column
// widths and an image of `iconWidth` pixels placed `iconMargin` pixels into the first column.
RowParts SplitRow(int left, int top, int height, const std::vector<int>& columnWidths,
                  int iconWidth, int iconMargin);

// Top-left corner of a text of `textSize` centred in `client`, halves taken towards zero.
QPoint CentredOrigin(QSize client, QSize textSize);

}  // namespace korvexer::gui::grid_geometry
