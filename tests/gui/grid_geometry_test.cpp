// SPDX-License-Identifier: MIT
// Tests of the grid list's geometry: font heights, grid lines, hit testing, row parts, notice.
#include <QtTest>

#include <vector>

#include "gui/controls/grid_geometry.h"

namespace geometry = korvexer::gui::grid_geometry;
using IntList = std::vector<int>;
Q_DECLARE_METATYPE(IntList)

class GridGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void enlargedFontHeight_data();
    void enlargedFontHeight();
    void gridLines_data();
    void gridLines();
    void columnAtX_data();
    void columnAtX();
    void hitTestRows_data();
    void hitTestRows();
    void splitRowLeavesTheImageOutOfTheHighlight();
    void centredOriginTruncatesTowardsZero_data();
    void centredOriginTruncatesTowardsZero();
};

void GridGeometryTest::enlargedFontHeight_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("by");
    QTest::addColumn<int>("expected");
    QTest::newRow("character height grows downwards") << -12 << 2 << -14;
    QTest::newRow("cell height grows upwards") << 16 << 3 << 19;
    QTest::newRow("no height stays none") << 0 << 2 << 0;
}

void GridGeometryTest::enlargedFontHeight() {
    QFETCH(int, height);
    QFETCH(int, by);
    QFETCH(int, expected);
    QCOMPARE(geometry::EnlargedFontHeight(height, by), expected);
}

void GridGeometryTest::gridLines_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("rowsPerPage");
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<IntList>("horizontal");
    QTest::addColumn<IntList>("vertical");
    // Columns 80, 70, 86, 60 (right edges 80, 150, 236, 296), rows 20 high below a header at 5.
    QTest::newRow("all columns visible")
        << 0 << 3 << 400 << IntList{25, 45, 65} << IntList{80, 150, 236, 296};
    QTest::newRow("stops at the first edge at the right edge")
        << 0 << 1 << 236 << IntList{25} << IntList{80, 150};
    QTest::newRow("stops at the first edge past the right edge")
        << 0 << 0 << 200 << IntList{} << IntList{80, 150};
    QTest::newRow("scrolled sideways")
        << -100 << 2 << 200 << IntList{25, 45} << IntList{-20, 50, 136, 196};
}

void GridGeometryTest::gridLines() {
    QFETCH(int, start);
    QFETCH(int, rowsPerPage);
    QFETCH(int, clientWidth);
    QFETCH(IntList, horizontal);
    QFETCH(IntList, vertical);
    geometry::GridLineInput input;
    input.headerBottom = 5;
    input.horizontalStart = start;
    input.rowHeight = 20;
    input.rowsPerPage = rowsPerPage;
    input.columnWidths = {80, 70, 86, 60};
    input.clientWidth = clientWidth;
    input.clientHeight = 300;
    const geometry::GridLines lines = geometry::ComputeGridLines(input);
    QCOMPARE(lines.whiteY, (IntList{5, 6}));
    QCOMPARE(lines.horizontalY, horizontal);
    QCOMPARE(lines.verticalX, vertical);
}

void GridGeometryTest::columnAtX_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("expected");
    // Columns 80, 70, 86 from left 10: edges at 10, 90, 160, 246.
    QTest::newRow("left of the first column") << 9 << -1;
    QTest::newRow("first column's left edge") << 10 << 0;
    QTest::newRow("boundary belongs to the left column") << 90 << 0;
    QTest::newRow("just past the boundary") << 91 << 1;
    QTest::newRow("last column's right edge") << 246 << 2;
    QTest::newRow("right of the last column") << 247 << -1;
}

void GridGeometryTest::columnAtX() {
    QFETCH(int, x);
    QFETCH(int, expected);
    QCOMPARE(geometry::ColumnAtX(x, 10, {80, 70, 86}), expected);
}

void GridGeometryTest::hitTestRows_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    // Rows 20 high from y 0, first visible row 10, 5 rows per page, columns 80 and 70 from x 0.
    QTest::newRow("first visible row") << QPoint(5, 5) << 100 << 10 << 0;
    QTest::newRow("second column") << QPoint(100, 25) << 100 << 11 << 1;
    QTest::newRow("a row's bottom edge is the next row") << QPoint(5, 20) << 100 << 11 << 0;
    QTest::newRow("the partly visible row after a page") << QPoint(5, 105) << 100 << 15 << 0;
    QTest::newRow("below the partly visible row") << QPoint(5, 125) << 100 << -1 << -1;
    QTest::newRow("below the last row") << QPoint(5, 45) << 12 << -1 << -1;
    QTest::newRow("right of the last column") << QPoint(150, 5) << 100 << -1 << -1;
    QTest::newRow("last pixel of the last column") << QPoint(149, 5) << 100 << 10 << 1;
    QTest::newRow("left of the rows") << QPoint(-1, 5) << 100 << -1 << -1;
}

void GridGeometryTest::hitTestRows() {
    QFETCH(QPoint, point);
    QFETCH(int, rowCount);
    QFETCH(int, row);
    QFETCH(int, column);
    geometry::RowHitInput input;
    input.firstRow = 10;
    input.firstRowTop = 0;
    input.rowHeight = 20;
    input.rowCount = rowCount;
    input.rowsPerPage = 5;
    input.boundsLeft = 0;
    input.columnWidths = {80, 70};
    const geometry::RowHit hit = geometry::HitTestRows(point, input);
    QCOMPARE(hit.row, row);
    QCOMPARE(hit.column, column);
}

void GridGeometryTest::splitRowLeavesTheImageOutOfTheHighlight() {
    const geometry::RowParts parts = geometry::SplitRow(-30, 40, 18, {80, 70, 86}, 16, 2);
    QCOMPARE(parts.bounds, QRect(-30, 40, 236, 18));
    QCOMPARE(parts.icon, QRect(-28, 40, 16, 18));
    QCOMPARE(parts.label.left(), -12);
    QCOMPARE(parts.label.right(), 49);  // last pixel of the first column
    QCOMPARE(parts.highlight.left(), parts.label.left());
    QCOMPARE(parts.highlight.right(), parts.bounds.right());
    QVERIFY(!parts.highlight.intersects(parts.icon));
}

void GridGeometryTest::centredOriginTruncatesTowardsZero_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QSize>("text");
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("even") << QSize(200, 100) << QSize(100, 20) << QPoint(50, 40);
    QTest::newRow("odd rounds down") << QSize(201, 101) << QSize(100, 20) << QPoint(50, 40);
    QTest::newRow("wider text rounds towards zero")
        << QSize(100, 10) << QSize(103, 13) << QPoint(-1, -1);
}

void GridGeometryTest::centredOriginTruncatesTowardsZero() {
    QFETCH(QSize, client);
    QFETCH(QSize, text);
    QFETCH(QPoint, origin);
    QCOMPARE(geometry::CentredOrigin(client, text), origin);
}

QTEST_MAIN(GridGeometryTest)
#include "grid_geometry_test.moc"
