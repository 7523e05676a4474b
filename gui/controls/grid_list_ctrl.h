// SPDX-License-Identifier: MIT
// CGridListCtrl: the report list with rule-coloured rows, its own grid lines and click rules.
#pragma once

#include <string>
#include <vector>

#include <QColor>
#include <QFont>
#include <QTreeView>

#include "core/list/row_list.h"
#include "gui/controls/grid_list_setup.h"
#include "gui/controls/grid_row_delegate.h"
#include "gui/controls/image_strip.h"
#include "gui/controls/row_style_ring.h"

namespace korvexer::gui {

class RowListModel;

// One column of the list: its heading (GBK) and its position.
struct ColumnDescriptor {
    std::string heading;
    int columnIndex = 0;
};

// A report list over a RowList that its owner keeps. Rows take their colours and image from
// rule tables keyed by the text of chosen columns; the list draws its own grid, shows a notice
// while empty, and a click on another column of the current row does nothing.
//
// Configure it once, in this order: rules and key columns, column descriptors, SetupList (or all
// of it with Configure). Then change rows through Rows(). For example:
//
//     list->Configure(ConstantDialogSetup(), font_height::DialogFont());
//     list->AttachRows(&m_constantRows);  // a RowList the owner keeps
//     list->Rows().AppendRow({"1025", type, value, state, file, "12:4"});
//
// Owners hear clicks through QAbstractItemView::clicked and doubleClicked, subject to the click
// rules, and a double click anywhere in the list, rows or empty space, through ListDoubleClicked;
// the selection is read from selectionModel(). A cell whose text is cut short shows it whole as
// its tooltip.
class CGridListCtrl : public QTreeView {
    Q_OBJECT
public:
    enum class FontTarget { Header = 1, List = 2 };

    explicit CGridListCtrl(QWidget* parent = nullptr);
    ~CGridListCtrl() override;

    // The model of the rows; attach the owner's RowList to it.
    RowListModel& Rows() const { return *m_model; }
    void AttachRows(RowList* rows);

    // Appends a rule and makes it the current one.
    void AddRowStyleRule(std::string key, RgbColor text, RgbColor background, int image);
    void SetColourKeyColumn(int column);
    void SetImageKeyColumn(int column);
    int ColourKeyColumn() const { return m_style.colourKeyColumn; }
    int ImageKeyColumn() const { return m_style.imageKeyColumn; }
    // Appends a column whose position is the number of descriptors before it.
    void AddColumnDescriptor(std::string heading);
    const std::vector<ColumnDescriptor>& ColumnDescriptors() const { return m_columns; }

    // The set-up after rules and descriptors: image strip, fonts from the dialog's font, the
    // selection mode, the grid colour, then one column per descriptor with the given widths.
    void SetupList(ImageStrip images, bool singleSelection, const std::vector<int>& widths,
                   const QFont& dialogFont);
    // Applies `font` to the header or to the list body.
    void SetControlFont(const QFont& font, FontTarget target);
    // All of the configuration from one table, in the order above.
    void Configure(const GridListSetup& setup, const QFont& dialogFont);

    // The row under `point` (viewport coordinates) or -1; the column under it (or -1) goes to
    // `column` when given.
    int HitTestEx(QPoint point, int* column = nullptr) const;
    // The first `limit` selected rows in ascending order, read from the selection's ranges
    // without listing every selected row (a whole list selected is one range); `total`, when
    // given, gets how many rows are selected.
    std::vector<std::size_t> FirstSelectedRows(std::size_t limit,
                                               std::size_t* total = nullptr) const;

    RgbColor DefaultTextColour() const;
    RgbColor DefaultBackgroundColour() const;
    QColor GridColour() const { return m_gridColour; }
    const RowStyleRing& Rules() const { return m_rules; }
    const ImageStrip& Images() const { return m_images; }
    QFont ListFont() const { return m_listFont; }
    QFont HeaderFont() const { return m_headerFont; }
    // Rows that fit entirely into the visible area.
    int RowsPerPage() const;
    // Height of every row.
    int RowHeight() const;
    // The notice shown while the list is empty.
    static QString EmptyNotice();
    // The whole text of the cell under `point` (viewport coordinates) when it is cut short there,
    // else empty.
    QString CellToolTip(QPoint point) const;

    // As wide as all columns together, with the frame and a vertical scroll bar.
    QSize sizeHint() const override;

signals:
    // A left double click in the list, on a row or not.
    void ListDoubleClicked();

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    std::vector<int> ColumnWidths() const;
    // The parts of a row drawn at `top` with `height`.
    grid_geometry::RowParts PartsOfRow(int top, int height, const std::vector<int>& widths) const;
    void TakeFocusOnScroll();
    void PaintEmptyNotice(QPainter& painter);
    void PaintGridLines(QPainter& painter);

    RowListModel* m_model;
    QColor m_gridColour{0, 0, 255};
    GridRowStyle m_style;
    RowStyleRing m_rules;
    std::vector<ColumnDescriptor> m_columns;
    ImageStrip m_images;
    QFont m_listFont;
    QFont m_headerFont;
    GridRowDelegate* m_delegate;
    // A press that was consumed takes its release and drags with it.
    bool m_pressConsumed = false;
};

}  // namespace korvexer::gui
