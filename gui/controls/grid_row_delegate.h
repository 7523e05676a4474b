// SPDX-License-Identifier: MIT
// GridRowDelegate: row height and the painting of one whole row of a grid list.
#pragma once

#include <vector>

#include <QColor>
#include <QStyledItemDelegate>

#include "gui/controls/grid_geometry.h"
#include "gui/controls/image_strip.h"
#include "gui/controls/row_style_ring.h"

class QPainter;

namespace korvexer::gui {

class RowListModel;

// The colours and key columns a row is painted with.
struct GridRowStyle {
    QColor defaultText;
    QColor defaultBackground;
    QColor highlight;
    QColor highlightText;
    int colourKeyColumn = -1;
    int imageKeyColumn = -1;
};

// What is known of one row when it is painted.
struct GridRowState {
    int row = 0;
    grid_geometry::RowParts parts;
    std::vector<int> columnWidths;
    bool highlighted = false;  // selected
    bool focusFrame = false;   // current row of a focused list
};

// Paints rows from the model's texts, the rule ring and the image strip. The ring's current
// position moves with every lookup, so rows are painted in the order the view draws them.
class GridRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridRowDelegate(RowStyleRing* rules, const ImageStrip* images, const GridRowStyle* style,
                    QObject* parent = nullptr);

    // Every row is as high as the list font's line plus a little room, at least an image high.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    static int RowHeight(const QFontMetrics& metrics);

    // The blank kept on each side of a cell's text: two spaces of the list font.
    static int TextMargin(const QFontMetrics& metrics);
    // Where the text of `column` is drawn in a row split into `parts`: the first column's label
    // with half the margin on its left and the margin on its right, any other column with the
    // margin on both sides. Text wider than the area is cut with an ellipsis.
    static QRect TextArea(const grid_geometry::RowParts& parts,
                          const std::vector<int>& columnWidths, int column, int margin);

    // Paints row `state.row` of `model`. The image the rules give the row is written back into
    // the row when it differs from the one stored there.
    void PaintRow(QPainter& painter, RowListModel& model, const GridRowState& state) const;

private:
    RowStyleRing* m_rules;
    const ImageStrip* m_images;
    const GridRowStyle* m_style;
};

}  // namespace korvexer::gui
