// SPDX-License-Identifier: MIT
// Tests of CGridListCtrl: rule colours and images, selection, notice, grid lines, clicks.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

#include "core/list/list_texts.h"
#include "core/list/row_list.h"
#include "gui/controls/font_height.h"
#include "gui/controls/grid_geometry.h"
#include "gui/controls/grid_list_ctrl.h"
#include "gui/controls/grid_list_setup.h"
#include "gui/controls/image_strip.h"
#include "gui/controls/row_list_model.h"
#include "gui/text/gbk_codec.h"

using korvexer::RowList;
using korvexer::gui::CGridListCtrl;
using korvexer::gui::GridListSetup;
using korvexer::gui::ImageStrip;
namespace grid_geometry = korvexer::gui::grid_geometry;
namespace texts = korvexer::texts;

Q_DECLARE_METATYPE(GridListSetup)

namespace {

const QColor kGrid(192, 192, 192);
const QColor kNoticeShadow(203, 192, 255);
const QColor kNoticeText(255, 0, 0);

std::string S(std::string_view text) {
    return std::string(text);
}

// A grid list with its rows in a window of its own.
struct Fixture {
    explicit Fixture(const GridListSetup& setup, int columns = 6, QSize size = QSize(640, 260))
        : rows(static_cast<std::size_t>(columns)) {
        window.resize(size);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        other = new QLineEdit(&window);
        layout->addWidget(other);
        list = new CGridListCtrl(&window);
        layout->addWidget(list);
        list->Configure(setup, korvexer::gui::font_height::DialogFont());
        list->AttachRows(&rows);
        window.show();
        window.activateWindow();
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    QImage Viewport() const { return list->viewport()->grab().toImage(); }
    QRect Cell(int row, int column) const {
        return list->visualRect(list->Rows().index(row, column));
    }
    std::vector<int> ColumnWidths() const {
        std::vector<int> widths;
        for (int column = 0; column < list->header()->count(); ++column)
            widths.push_back(list->header()->sectionSize(column));
        return widths;
    }
    // The grid lines as the list paints them for its present size and scroll position.
    grid_geometry::GridLines Grid() const {
        grid_geometry::GridLineInput input;
        input.horizontalStart = -list->horizontalScrollBar()->value();
        input.rowHeight = list->RowHeight();
        input.rowsPerPage = list->RowsPerPage();
        input.columnWidths = ColumnWidths();
        input.clientWidth = list->viewport()->width();
        input.clientHeight = list->viewport()->height();
        return grid_geometry::ComputeGridLines(input);
    }
    // The right edges of the columns that the header shows left of the viewport's right edge.
    std::vector<int> HeaderEdges() const {
        std::vector<int> edges;
        for (int column = 0; column < list->header()->count(); ++column) {
            const int edge = list->header()->sectionViewportPosition(column) +
                             list->header()->sectionSize(column);
            if (edge >= list->viewport()->width()) break;
            edges.push_back(edge);
        }
        return edges;
    }
    // The parts of row `row` as the painter splits it.
    grid_geometry::RowParts Parts(int row) const {
        const QRect cell = Cell(row, 0);
        return grid_geometry::SplitRow(list->header()->sectionViewportPosition(0), cell.top(),
                                       cell.height(), ColumnWidths(), ImageStrip::kImageWidth,
                                       grid_geometry::kIconMargin);
    }
    void Save(const QString& name) const {
        list->grab().save(QStringLiteral(KORVEXER_GUI_RENDER_DIR "/") + name + ".png");
    }

    QWidget window;
    QLineEdit* other = nullptr;
    CGridListCtrl* list = nullptr;
    RowList rows;
    bool exposed = false;
};

int CountColour(const QImage& image, const QRect& area, const QColor& colour) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb()) ++count;
    return count;
}

// Pixels of text drawn dark on a light ground.
int CountDark(const QImage& image, const QRect& area) {
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 128) ++count;
    return count;
}

QColor Rgb(korvexer::gui::RgbColor colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

}  // namespace

class GridListCtrlTest : public QObject {
    Q_OBJECT
private slots:
    void emptyListShowsOnlyTheNotice();
    void rowColoursAndImagesFollowTheRules_data();
    void rowColoursAndImagesFollowTheRules();
    void selectionStartsRightOfTheImage();
    void gridLinesCoverAFullPage();
    void verticalLinesFollowHorizontalScrolling();
    void longTextIsCutInsideItsColumn();
    void fontsAreEnlargedFromTheDialogFont();
    void clickRules();
    void doubleClickReachesTheOwnerOnEveryColumn();
    void cutCellsShowTheirWholeTextAsTooltip();
    void ctrlClickAddsRowsInTheMultipleSelectionList();
    void eachListShowsItsColumns_data();
    void eachListShowsItsColumns();
    void hitTestExMatchesTheCells();
    void scrollingTakesTheFocus();
    void hundredThousandRows();
    void aChangedCellRepaintsItsWholeRow();
};

void GridListCtrlTest::emptyListShowsOnlyTheNotice() {
    Fixture f(korvexer::gui::MainFunctionSetup(), 5);
    QVERIFY(f.exposed);
    QAbstractItemModelTester tester(&f.list->Rows(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QImage empty = f.Viewport();
    f.Save(QStringLiteral("grid_list_empty"));
    QVERIFY(CountColour(empty, empty.rect(), kNoticeShadow) > 20);
    QVERIFY(CountColour(empty, empty.rect(), kNoticeText) > 20);
    QCOMPARE(CountColour(empty, empty.rect(), kGrid), 0);
    // The notice sits in the middle: nothing of it in the top quarter.
    QCOMPARE(CountColour(empty, QRect(0, 0, empty.width(), empty.height() / 4), kNoticeText), 0);

    f.list->Rows().AppendRow({"1", "strlen", "strlen_kx", "a.c", "3:4"});
    QApplication::processEvents();
    const QImage filled = f.Viewport();
    // Right of the row images (whose discs have red rims) nothing of the notice is left.
    const QRect text(QPoint(f.Parts(0).label.left(), 0), filled.rect().bottomRight());
    QCOMPARE(CountColour(filled, text, kNoticeShadow), 0);
    QCOMPARE(CountColour(filled, text, kNoticeText), 0);
    QVERIFY(CountColour(filled, filled.rect(), kGrid) > 100);

    // Once the last row goes, the notice is back and the grid gone.
    f.list->Rows().RemoveRow(0);
    QApplication::processEvents();
    const QImage emptied = f.Viewport();
    QVERIFY(CountColour(emptied, emptied.rect(), kNoticeShadow) > 20);
    QCOMPARE(CountColour(emptied, emptied.rect(), kGrid), 0);
}

void GridListCtrlTest::rowColoursAndImagesFollowTheRules_data() {
    QTest::addColumn<GridListSetup>("setup");
    QTest::addColumn<QStringList>("cells");  // UTF-8 texts of the six columns
    QTest::addColumn<QColor>("background");  // invalid: the list's default background
    QTest::addColumn<int>("image");
    const GridListSetup constants = korvexer::gui::ConstantDialogSetup();
    const GridListSetup calls = korvexer::gui::FunctionDialogSetup();
    const GridListSetup mainConstants = korvexer::gui::MainConstantSetup();
    const GridListSetup mainCalls = korvexer::gui::MainFunctionSetup();
    QTest::newRow("constant replaced")
        << constants << QStringList{"1025", "字符串", "a", "替换"} << QColor(156, 220, 156) << 0;
    QTest::newRow("constant unknown")
        << constants << QStringList{"1026", "数值", "1", "未知"} << QColor(255, 0, 0) << 1;
    QTest::newRow("constant without state")
        << constants << QStringList{"1027", "数值", "1", ""} << QColor() << 1;
    QTest::newRow("constant with another state")
        << constants << QStringList{"1028", "字符串", "b", "x"} << QColor() << 0;
    QTest::newRow("constant of another type")
        << constants << QStringList{"1029", "?", "b", ""} << QColor() << 0;
    QTest::newRow("call without state")
        << calls << QStringList{"1", "strlen", "", ""} << QColor(255, 255, 255) << 1;
    QTest::newRow("call replaced")
        << calls << QStringList{"2", "strlen", "strlen_kx", "替换"} << QColor(220, 220, 156) << 0;
    QTest::newRow("call unknown") << calls << QStringList{"3", "", "strlen_kx", "未知"}
                                  << QColor(255, 0, 0) << 0;
    QTest::newRow("main string constant")
        << mainConstants << QStringList{"1025", "字符串", "a"} << QColor(108, 156, 108) << 0;
    QTest::newRow("main numeric constant")
        << mainConstants << QStringList{"1026", "数值", "2"} << QColor(255, 255, 255) << 1;
    QTest::newRow("main call") << mainCalls << QStringList{"1", "strlen", "strlen_kx"} << QColor()
                               << 0;
}

void GridListCtrlTest::rowColoursAndImagesFollowTheRules() {
    QFETCH(GridListSetup, setup);
    QFETCH(QStringList, cells);
    QFETCH(QColor, background);
    QFETCH(int, image);
    Fixture f(setup, static_cast<int>(setup.columns.size()));
    QVERIFY(f.exposed);
    std::vector<std::string> columns;
    for (const QString& cell : cells) columns.push_back(korvexer::gui::GbkCodec::FromQString(cell));
    // An image the rules do not give, to see it replaced once the row is drawn.
    f.list->Rows().AppendRow(columns, 7);
    QApplication::processEvents();
    const QImage shot = f.Viewport();
    if (!background.isValid()) background = Rgb(f.list->DefaultBackgroundColour());

    // The file column is empty in every case: its inside shows the background alone.
    const int emptyColumn = static_cast<int>(setup.columns.size()) - 2;
    const QRect cell = f.Cell(0, emptyColumn).adjusted(4, 3, -4, -3);
    QCOMPARE(CountColour(shot, cell, background), cell.width() * cell.height());
    QCOMPARE(f.rows.Image(0), image);

    // The image drawn is the one the rules chose (below the white double line, which crosses
    // the first row's top pixels).
    const QRect icon = f.Parts(0).icon;
    const int covered = f.Grid().whiteY.back() + 1 - icon.top();
    QVERIFY(covered > 0 && covered < ImageStrip::kImageHeight);
    const QRect visible(icon.left(), icon.top() + covered, ImageStrip::kImageWidth,
                        ImageStrip::kImageHeight - covered);
    const QImage expected =
        f.list->Images().Image(image).copy(visible.translated(-icon.left(), -icon.top()));
    QCOMPARE(shot.copy(visible).convertToFormat(QImage::Format_RGB32),
             expected.convertToFormat(QImage::Format_RGB32));
}

void GridListCtrlTest::selectionStartsRightOfTheImage() {
    Fixture f(korvexer::gui::ConstantDialogSetup());
    QVERIFY(f.exposed);
    f.list->Rows().AppendRow({"1025", S(texts::kTypeString), "abc", S(texts::kStateReplace)});
    f.list->Rows().AppendRow({"1026", S(texts::kTypeNumber), "12", ""});
    f.list->selectionModel()->select(f.list->Rows().index(0, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QApplication::processEvents();
    const QImage shot = f.Viewport();
    f.Save(QStringLiteral("grid_list_selection"));
    const QColor highlight = f.list->palette().color(QPalette::Highlight);
    const QRect first = f.Cell(0, 0);
    const QRect file = f.Cell(0, 4).adjusted(4, 3, -4, -3);
    // Selected row: highlight over the empty file cell, none of the rule's light green.
    QCOMPARE(CountColour(shot, file, highlight), file.width() * file.height());
    QCOMPARE(CountColour(shot, f.Cell(0, 3), QColor(156, 220, 156)), 0);
    // From the label's left edge (after the margin and the image) onwards.
    const grid_geometry::RowParts parts = f.Parts(0);
    QCOMPARE(parts.highlight.left(), parts.label.left());
    QCOMPARE(shot.pixelColor(parts.highlight.left(), first.center().y()).rgb(), highlight.rgb());
    for (int x = parts.bounds.left(); x < parts.highlight.left(); ++x)
        QVERIFY2(shot.pixelColor(x, first.center().y() + 3).rgb() != highlight.rgb(),
                 qPrintable(QStringLiteral("x %1").arg(x)));
    // The image is blended with the highlight: not the plain image any more.
    const QImage plain = f.list->Images().Image(0).convertToFormat(QImage::Format_RGB32);
    const QRect icon(parts.icon.topLeft(),
                     QSize(ImageStrip::kImageWidth, ImageStrip::kImageHeight));
    QVERIFY(shot.copy(icon).convertToFormat(QImage::Format_RGB32) != plain);
    // The other row keeps its rule colours.
    const QRect otherFile = f.Cell(1, 4).adjusted(4, 3, -4, -3);
    QCOMPARE(CountColour(shot, otherFile, Rgb(f.list->DefaultBackgroundColour())),
             otherFile.width() * otherFile.height());
}

void GridListCtrlTest::gridLinesCoverAFullPage() {
    Fixture f(korvexer::gui::ConstantDialogSetup());
    QVERIFY(f.exposed);
    f.list->Rows().AppendRow({"1025", S(texts::kTypeString), "abc", ""});
    f.list->Rows().AppendRow({"1026", S(texts::kTypeNumber), "12", ""});
    QApplication::processEvents();
    const QImage shot = f.Viewport();
    f.Save(QStringLiteral("grid_list_rows"));
    const grid_geometry::GridLines grid = f.Grid();
    const int width = shot.width();
    const auto line = [&](int y) { return QRect(0, y, width, 1); };
    const int verticals = static_cast<int>(grid.verticalX.size());
    // A vertical line at every column's right edge, all six inside the viewport.
    QCOMPARE(grid.verticalX, f.HeaderEdges());
    QCOMPARE(verticals, 6);
    // White double line right under the header, crossed only by the vertical lines.
    QCOMPARE(grid.whiteY, (std::vector<int>{0, 1}));
    for (int y : grid.whiteY) QCOMPARE(CountColour(shot, line(y), Qt::white), width - verticals);
    // Horizontal lines for every row of a page, also below the two rows that exist; they run
    // to the right edge, past the last column.
    QCOMPARE(static_cast<int>(grid.horizontalY.size()), f.list->RowsPerPage());
    QVERIFY(grid.horizontalY.size() >= 5);
    for (int y : grid.horizontalY) QCOMPARE(CountColour(shot, line(y), kGrid), width);
    // Between the lines, right of the last column, no grid.
    const int pastColumns = grid.verticalX.back() + 1;
    QCOMPARE(CountColour(shot, QRect(pastColumns, grid.horizontalY[0] + 3, width - pastColumns, 1),
                         kGrid),
             0);
    // Below the rows only the vertical lines cross an empty pixel row.
    const int empty = (grid.horizontalY[3] + grid.horizontalY[4]) / 2;
    QCOMPARE(CountColour(shot, line(empty), kGrid), verticals);
    for (int x : grid.verticalX) QCOMPARE(shot.pixelColor(x, empty), kGrid);
}

void GridListCtrlTest::verticalLinesFollowHorizontalScrolling() {
    Fixture f(korvexer::gui::ConstantDialogSetup(), 6, QSize(260, 260));
    QVERIFY(f.exposed);
    f.list->Rows().AppendRow({"1025", S(texts::kTypeString), "abc", ""});
    QApplication::processEvents();
    QImage shot = f.Viewport();
    const grid_geometry::GridLines before = f.Grid();
    // Some columns lie past the viewport's right edge: they have no line.
    QCOMPARE(before.verticalX, f.HeaderEdges());
    QVERIFY(!before.verticalX.empty());
    QVERIFY(static_cast<int>(before.verticalX.size()) < f.list->header()->count());
    // A pixel row below the single row: only the vertical lines cross it.
    const int y = (before.horizontalY[1] + before.horizontalY[2]) / 2;
    const QRect line(0, y, shot.width(), 1);
    QCOMPARE(CountColour(shot, line, kGrid), static_cast<int>(before.verticalX.size()));
    for (int x : before.verticalX) QCOMPARE(shot.pixelColor(x, y), kGrid);

    const int scrolled = 100;
    f.list->horizontalScrollBar()->setValue(scrolled);
    QApplication::processEvents();
    QCOMPARE(f.list->horizontalScrollBar()->value(), scrolled);
    shot = f.Viewport();
    // The lines follow the header's edges, the first one out of sight on the left.
    const grid_geometry::GridLines after = f.Grid();
    QCOMPARE(after.verticalX, f.HeaderEdges());
    QCOMPARE(after.verticalX.front(), before.verticalX.front() - scrolled);
    QVERIFY(after.verticalX.front() < 0);
    int visible = 0;
    for (int x : after.verticalX) {
        if (x < 0) continue;
        QCOMPARE(shot.pixelColor(x, y), kGrid);
        ++visible;
    }
    QCOMPARE(CountColour(shot, line, kGrid), visible);
    // Where the first edge was before, there is no line now.
    QVERIFY(shot.pixelColor(before.verticalX.front(), y) != kGrid);
    f.Save(QStringLiteral("grid_list_scrolled"));
}

void GridListCtrlTest::longTextIsCutInsideItsColumn() {
    Fixture f(korvexer::gui::ConstantDialogSetup());
    QVERIFY(f.exposed);
    const std::string longValue(60, 'W');
    f.list->Rows().AppendRow({"1025", S(texts::kTypeString), longValue, "", "", "a&b"});
    QApplication::processEvents();
    const QImage shot = f.Viewport();
    f.Save(QStringLiteral("grid_list_long_text"));
    QVERIFY(CountDark(shot, f.Cell(0, 2)) > 30);
    // The state column right of it is empty: nothing of the long value reaches it.
    QCOMPARE(CountDark(shot, f.Cell(0, 3).adjusted(1, 2, 0, -2)), 0);
    // An ampersand is drawn, not eaten: "a&b" is wider than "ab" would be.
    const QRect position = f.Cell(0, 5).adjusted(1, 2, -1, -2);
    int left = position.right(), right = position.left();
    for (int y = position.top(); y <= position.bottom(); ++y)
        for (int x = position.left(); x <= position.right(); ++x)
            if (shot.pixelColor(x, y).lightness() < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    const QFontMetrics metrics(f.list->ListFont());
    QVERIFY(right - left + 2 >= metrics.horizontalAdvance(QStringLiteral("a&b")) - 2);
}

void GridListCtrlTest::fontsAreEnlargedFromTheDialogFont() {
    Fixture f(korvexer::gui::MainConstantSetup(), 5);
    QVERIFY(f.exposed);
    const QFont dialog = korvexer::gui::font_height::DialogFont();
    // The dialog font names a face that is installed here, so Chinese has glyphs.
    QCOMPARE(QFontInfo(dialog).family(), dialog.family());
    QCOMPARE(dialog.pixelSize(), 12);
    QCOMPARE(f.list->ListFont().pixelSize(), dialog.pixelSize() + 2);
    QCOMPARE(f.list->HeaderFont().pixelSize(), dialog.pixelSize() + 3);
    QCOMPARE(static_cast<int>(f.list->HeaderFont().weight()), 570);
    QCOMPARE(f.list->header()->font().pixelSize(), dialog.pixelSize() + 3);
    QCOMPARE(f.list->font().pixelSize(), dialog.pixelSize() + 2);
}

void GridListCtrlTest::clickRules() {
    Fixture f(korvexer::gui::FunctionDialogSetup());
    QVERIFY(f.exposed);
    for (int i = 1; i <= 3; ++i)
        f.list->Rows().AppendRow({std::to_string(i), "strlen", "", "", "a.c", "1:1"});
    QApplication::processEvents();
    f.other->setFocus();
    QVERIFY(f.other->hasFocus());
    QSignalSpy clicked(f.list, &QAbstractItemView::clicked);
    QWidget* viewport = f.list->viewport();
    const auto clickAt = [&](QPoint point) {
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, point);
        QApplication::processEvents();
    };
    const auto centre = [&](int row, int column) { return f.Cell(row, column).center(); };

    // Empty space below the rows and right of the last column: nothing happens.
    clickAt(QPoint(centre(2, 1).x(), f.Cell(2, 1).bottom() + f.list->RowHeight() / 2));
    clickAt(QPoint(f.Parts(1).bounds.right() + 10, centre(1, 0).y()));
    QCOMPARE(clicked.count(), 0);
    QVERIFY(!f.list->currentIndex().isValid());
    QVERIFY(f.list->selectionModel()->selectedRows().isEmpty());
    QVERIFY(f.other->hasFocus());

    // A row that is not the current one: selected, current, focused, and the owner hears it.
    clickAt(centre(1, 2));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(f.list->currentIndex().row(), 1);
    QCOMPARE(f.list->selectionModel()->selectedRows().size(), 1);
    QVERIFY(f.list->selectionModel()->isRowSelected(1, QModelIndex()));
    QVERIFY(f.list->hasFocus());

    // Another column of the current row, also twice in a row: consumed.
    clickAt(centre(1, 2));
    clickAt(centre(1, 4));
    QCOMPARE(clicked.count(), 1);
    // Column 0 of the current row: an ordinary click.
    clickAt(centre(1, 0));
    QCOMPARE(clicked.count(), 2);
    // Another row moves the selection (single selection).
    clickAt(centre(2, 3));
    QCOMPARE(clicked.count(), 3);
    QCOMPARE(f.list->currentIndex().row(), 2);
    QCOMPARE(f.list->selectionModel()->selectedRows().size(), 1);
    QVERIFY(f.list->selectionModel()->isRowSelected(2, QModelIndex()));
    f.Save(QStringLiteral("grid_list_clicked"));
}

void GridListCtrlTest::doubleClickReachesTheOwnerOnEveryColumn() {
    Fixture f(korvexer::gui::ConstantDialogSetup());
    QVERIFY(f.exposed);
    for (int i = 0; i < 3; ++i)
        f.list->Rows().AppendRow({std::to_string(1025 + i), S(texts::kTypeNumber), "1", ""});
    QApplication::processEvents();
    QSignalSpy clicked(f.list, &QAbstractItemView::clicked);
    QSignalSpy doubleClicked(f.list, &QAbstractItemView::doubleClicked);
    QWidget* viewport = f.list->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, f.Cell(1, 0).center());
    QCOMPARE(clicked.count(), 1);
    // Row 1 is current now: single clicks on its column 2 are consumed, a double click is not.
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, f.Cell(1, 2).center());
    QCOMPARE(doubleClicked.count(), 1);
    QCOMPARE(doubleClicked.at(0).at(0).value<QModelIndex>().row(), 1);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(f.list->currentIndex().row(), 1);
    // Below the rows a double click hits no row; the owner hears of it as a double click on the
    // list only.
    QSignalSpy onList(f.list, &CGridListCtrl::ListDoubleClicked);
    QTest::mouseDClick(
        viewport, Qt::LeftButton, Qt::NoModifier,
        QPoint(f.Cell(2, 1).center().x(), f.Cell(2, 1).bottom() + 2 * f.list->RowHeight()));
    QCOMPARE(doubleClicked.count(), 1);
    QCOMPARE(onList.count(), 1);
    QCOMPARE(f.list->currentIndex().row(), 1);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, f.Cell(0, 1).center());
    QCOMPARE(doubleClicked.count(), 2);
    QCOMPARE(onList.count(), 2);
}

void GridListCtrlTest::cutCellsShowTheirWholeTextAsTooltip() {
    Fixture f(korvexer::gui::MainConstantSetup(), 5, QSize(700, 200));
    QVERIFY(f.exposed);
    const std::string file = "/home/user/projects/orders/source/reports/monthly_summary.cpp";
    f.list->Rows().AppendRow({"1025", S(texts::kTypeString), "abc", file, "12:4"});
    f.list->Rows().AppendRow({"1026123456789012345", S(texts::kTypeNumber), "7", "m.c", "1:1"});
    QApplication::processEvents();
    // Cut short: the whole text. Whole already: nothing. No cell: nothing.
    QCOMPARE(f.list->CellToolTip(f.Cell(0, 3).center()), QString::fromStdString(file));
    QCOMPARE(f.list->CellToolTip(f.Cell(1, 0).center()), QStringLiteral("1026123456789012345"));
    QCOMPARE(f.list->CellToolTip(f.Cell(1, 3).center()), QString());
    QCOMPARE(f.list->CellToolTip(QPoint(20, 6 * f.list->RowHeight())), QString());
    // The tooltip event shows it.
    QHelpEvent help(QEvent::ToolTip, f.Cell(0, 3).center(),
                    f.list->viewport()->mapToGlobal(f.Cell(0, 3).center()));
    QApplication::sendEvent(f.list->viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), QString::fromStdString(file));
}

void GridListCtrlTest::eachListShowsItsColumns_data() {
    QTest::addColumn<GridListSetup>("setup");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("render");
    QTest::newRow("constant list dialog")
        << korvexer::gui::ConstantDialogSetup()
        << QStringList{"索引号", "类型", "原常量值", "状态", "文件名", "所在行"}
        << QList<int>{80, 70, 86, 60, 160, 70} << false << QStringLiteral("list_constant_dialog");
    QTest::newRow("function dialog")
        << korvexer::gui::FunctionDialogSetup()
        << QStringList{"序号", "原函数", "替换函数", "状态", "文件名", "所在行"}
        << QList<int>{55, 120, 120, 60, 100, 100} << true << QStringLiteral("list_function_dialog");
    QTest::newRow("main constant list")
        << korvexer::gui::MainConstantSetup()
        << QStringList{"索引号", "类型", "原常量值", "文件名", "所在行"}
        << QList<int>{80, 70, 90, 150, 50} << true << QStringLiteral("list_main_constants");
    QTest::newRow("main function list")
        << korvexer::gui::MainFunctionSetup()
        << QStringList{"序号", "原函数", "替换函数", "文件名", "所在行"}
        << QList<int>{50, 120, 160, 150, 50} << true << QStringLiteral("list_main_functions");
}

void GridListCtrlTest::eachListShowsItsColumns() {
    QFETCH(GridListSetup, setup);
    QFETCH(QStringList, headings);
    QFETCH(QList<int>, widths);
    QFETCH(bool, single);
    QFETCH(QString, render);
    const int columns = static_cast<int>(headings.size());
    Fixture f(setup, columns, QSize(720, 230));
    QVERIFY(f.exposed);
    QCOMPARE(f.list->Rows().columnCount(), columns);
    for (int c = 0; c < columns; ++c) {
        QCOMPARE(f.list->Rows().headerData(c, Qt::Horizontal).toString(), headings.at(c));
        QCOMPARE(f.list->header()->sectionSize(c), widths.at(c));
        QCOMPARE(f.list->ColumnDescriptors().at(static_cast<std::size_t>(c)).columnIndex, c);
    }
    QCOMPARE(f.list->selectionMode(),
             single ? QAbstractItemView::SingleSelection : QAbstractItemView::ExtendedSelection);
    QCOMPARE(f.list->GridColour(), kGrid);
    // The rules in the order given, after the built-in one.
    QCOMPARE(f.list->Rules().size(), setup.rules.size() + 1);
    for (std::size_t r = 0; r < setup.rules.size(); ++r)
        QCOMPARE(f.list->Rules()[r + 1].key, setup.rules[r].key);

    // Sample rows of every kind, rendered for people to look at.
    const std::vector<std::vector<QString>> samples =
        columns == 6
            ? std::vector<std::vector<QString>>{{"1025", "字符串", "Hello & welcome", "替换",
                                                 "src/main.cpp", "12:4"},
                                                {"1026", "数值", "42", "", "src/main.cpp", "14:8"},
                                                {"1027", "字符串", "未登记的常量", "未知",
                                                 "src/util.cpp", "3:10"},
                                                {"4", "strlen", "strlen_kx", "替换", "src/util.cpp",
                                                 "20:2"},
                                                {"5", "MessageBox", "", "", "src/ui.cpp", "7:6"}}
            : std::vector<std::vector<QString>>{
                  {"1025", "字符串", "Hello & welcome", "src/main.cpp", "12:4"},
                  {"1026", "数值", "42", "src/main.cpp", "14:8"},
                  {"3", "strlen", "strlen_kx", "src/util.cpp", "20:2"}};
    for (const auto& sample : samples) {
        std::vector<std::string> cells;
        for (const QString& cell : sample)
            cells.push_back(korvexer::gui::GbkCodec::FromQString(cell));
        f.list->Rows().AppendRow(cells);
    }
    f.list->selectionModel()->setCurrentIndex(
        f.list->Rows().index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QApplication::processEvents();
    QCOMPARE(f.list->Rows().index(0, 1).data().toString(), samples[0][1]);
    f.Save(render);
}

void GridListCtrlTest::ctrlClickAddsRowsInTheMultipleSelectionList() {
    Fixture f(korvexer::gui::ConstantDialogSetup());
    QVERIFY(f.exposed);
    for (int i = 0; i < 4; ++i)
        f.list->Rows().AppendRow({std::to_string(1025 + i), S(texts::kTypeNumber), "1", ""});
    QApplication::processEvents();
    QWidget* viewport = f.list->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, f.Cell(0, 1).center());
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, f.Cell(2, 1).center());
    QCOMPARE(f.list->selectionModel()->selectedRows().size(), 2);
    QVERIFY(f.list->selectionModel()->isRowSelected(0, QModelIndex()));
    QVERIFY(f.list->selectionModel()->isRowSelected(2, QModelIndex()));
    // Shift extends from the last clicked row; the view's own rules keep the Ctrl selection.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, f.Cell(3, 1).center());
    QVERIFY(f.list->selectionModel()->isRowSelected(2, QModelIndex()));
    QVERIFY(f.list->selectionModel()->isRowSelected(3, QModelIndex()));
    QVERIFY(!f.list->selectionModel()->isRowSelected(1, QModelIndex()));
    QCOMPARE(f.list->currentIndex().row(), 3);
    // Ctrl on a selected row that is not the current one takes it out again.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, f.Cell(2, 1).center());
    QVERIFY(!f.list->selectionModel()->isRowSelected(2, QModelIndex()));
    QVERIFY(f.list->selectionModel()->isRowSelected(3, QModelIndex()));
    // A plain click on another row leaves that row alone selected.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, f.Cell(1, 1).center());
    QCOMPARE(f.list->selectionModel()->selectedRows().size(), 1);
    f.Save(QStringLiteral("grid_list_multiple"));
}

void GridListCtrlTest::hitTestExMatchesTheCells() {
    Fixture f(korvexer::gui::MainConstantSetup(), 5);
    QVERIFY(f.exposed);
    for (int i = 0; i < 40; ++i)
        f.list->Rows().AppendRow({std::to_string(1025 + i), S(texts::kTypeNumber), "1", "", ""});
    QApplication::processEvents();
    f.list->verticalScrollBar()->setValue(20);
    QApplication::processEvents();
    int column = 99;
    const QRect cell = f.Cell(21, 3);
    QCOMPARE(f.list->HitTestEx(cell.center(), &column), 21);
    QCOMPARE(column, 3);
    // Right boundary of column 1 belongs to column 1; the last column's far edge to it too.
    const QRect type = f.Cell(21, 1);
    QCOMPARE(f.list->HitTestEx(QPoint(type.left() + 70, type.center().y()), &column), 21);
    QCOMPARE(column, 1);
    QCOMPARE(f.list->HitTestEx(QPoint(f.Cell(21, 4).right(), type.center().y()), &column), 21);
    QCOMPARE(column, 4);
    QCOMPARE(f.list->HitTestEx(QPoint(f.Cell(21, 4).right() + 3, type.center().y()), &column), -1);
    QCOMPARE(column, -1);
    QCOMPARE(f.list->HitTestEx(QPoint(5, 5)), 20);  // column output may be absent
}

void GridListCtrlTest::scrollingTakesTheFocus() {
    Fixture f(korvexer::gui::MainFunctionSetup(), 5);
    QVERIFY(f.exposed);
    for (int i = 0; i < 200; ++i)
        f.list->Rows().AppendRow({std::to_string(i + 1), "strlen", "strlen_kx", "a.c", "1:1"});
    QApplication::processEvents();
    f.other->setFocus();
    QVERIFY(!f.list->hasFocus());
    // Setting the position from code is no user scrolling: the focus stays.
    f.list->verticalScrollBar()->setValue(3);
    QVERIFY(!f.list->hasFocus());
    f.list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QVERIFY(f.list->hasFocus());
    f.other->setFocus();
    f.list->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QVERIFY(f.list->hasFocus());
}

void GridListCtrlTest::hundredThousandRows() {
    Fixture f(korvexer::gui::ConstantDialogSetup());
    QVERIFY(f.exposed);
    f.rows.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        f.rows.Append({std::to_string(1025 + i), S(i % 2 ? texts::kTypeNumber : texts::kTypeString),
                       "value", i % 3 ? "" : S(texts::kStateReplace), "file.cpp", "1:1"},
                      5);
    f.list->Rows().Reload();
    f.list->scrollToBottom();
    QApplication::processEvents();
    const QImage shot = f.Viewport();
    QCOMPARE(f.list->Rows().rowCount(), 100000);
    // Only the rows drawn got their image from the rules; the rest keep theirs.
    QCOMPARE(f.rows.Image(99999), 1);
    QCOMPARE(f.rows.Image(99998), 0);
    QCOMPARE(f.rows.Image(50000), 5);
    QCOMPARE(f.list->HitTestEx(QPoint(10, 1)), f.list->verticalScrollBar()->value());
    QVERIFY(CountColour(shot, shot.rect(), QColor(156, 220, 156)) > 0);
}

void GridListCtrlTest::aChangedCellRepaintsItsWholeRow() {
    Fixture f(korvexer::gui::ConstantDialogSetup());
    QVERIFY(f.exposed);
    for (const char* key : {"1", "2", "3"}) f.rows.Append({key, S(texts::kTypeNumber), "5"});
    f.list->Rows().Reload();
    QTest::qWait(50);

    // Record what the list repaints after the state of row 1 changed behind its model.
    struct PaintedRegion : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                region += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
        QRegion region;
    } painted;
    f.list->viewport()->installEventFilter(&painted);
    f.rows.SetText(1, 3, S(texts::kStateReplace));
    f.list->Rows().ShowChangedCells(1, 1, 3, 3);
    QApplication::processEvents();
    f.list->viewport()->removeEventFilter(&painted);

    // The state decides the colours of every cell of the row, not only of the state cell.
    const QRect row = f.Cell(1, 0).united(f.Cell(1, 5));
    QCOMPARE(painted.region.intersected(row), QRegion(row));
    QVERIFY(!painted.region.intersects(f.Cell(0, 0)));
    const QImage shown = f.Viewport();
    QCOMPARE(shown.pixelColor(f.Cell(1, 5).center() + QPoint(0, f.Cell(1, 5).height() / 3)),
             QColor(156, 220, 156));
}

QTEST_MAIN(GridListCtrlTest)
#include "grid_list_ctrl_test.moc"
