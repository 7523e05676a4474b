// SPDX-License-Identifier: MIT
// GridRowDelegate: rule colours, row image, selection from the label on, elided cell texts.
#include "gui/controls/grid_row_delegate.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include "gui/controls/row_list_model.h"
#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

namespace {

QColor ToQColor(RgbColor colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

// One line, vertically centred, cut with an ellipsis; '&' is shown as it is.
void DrawCellText(QPainter& painter, const QRect& area, const QString& text,
                  Qt::Alignment horizontal) {
    if (area.width() <= 0) return;
    const QFontMetrics metrics = painter.fontMetrics();
    const QString shown = metrics.elidedText(text, Qt::ElideRight, area.width());
    painter.drawText(area, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine),
                     shown);
}

}  // namespace

GridRowDelegate::GridRowDelegate(RowStyleRing* rules, const ImageStrip* images,
                                 const GridRowStyle* style, QObject* parent)
    : QStyledItemDelegate(parent), m_rules(rules), m_images(images), m_style(style) {}

QSize GridRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& /*index*/) const {
    return QSize(option.rect.width(), RowHeight(option.fontMetrics));
}

int GridRowDelegate::RowHeight(const QFontMetrics& metrics) {
    return std::max(metrics.height() + 3, ImageStrip::kImageHeight + 1);
}

int GridRowDelegate::TextMargin(const QFontMetrics& metrics) {
    return 2 * metrics.horizontalAdvance(QLatin1Char(' '));
}

QRect GridRowDelegate::TextArea(const grid_geometry::RowParts& parts,
                                const std::vector<int>& columnWidths, int column, int margin) {
    if (column == 0) {
        QRect label = parts.label;
        label.setLeft(label.left() + margin / 2);
        label.setRight(label.right() - margin);
        return label;
    }
    int left = parts.bounds.left();
    for (int c = 0; c < column && c < static_cast<int>(columnWidths.size()); ++c)
        left += columnWidths[static_cast<std::size_t>(c)];
    const int width = column < static_cast<int>(columnWidths.size())
                          ? columnWidths[static_cast<std::size_t>(column)]
                          : 0;
    return QRect(left, parts.bounds.top(), width, parts.bounds.height())
        .adjusted(margin, 0, -margin, 0);
}

void GridRowDelegate::PaintRow(QPainter& painter, RowListModel& model,
                               const GridRowState& state) const {
    painter.save();
    const grid_geometry::RowParts& parts = state.parts;
    const int offset = TextMargin(painter.fontMetrics());

    QColor text = m_style->defaultText;
    QColor background = m_style->defaultBackground;
    if (state.highlighted) {
        // A selected row shows the selection colours; the colour rules play no part.
        text = m_style->highlightText;
        background = m_style->highlight;
    } else if (m_style->colourKeyColumn >= 0) {
        const RowStyleRule* rule = m_rules->Lookup(model.Text(state.row, m_style->colourKeyColumn));
        if (rule != nullptr) {
            text = ToQColor(rule->text);
            background = ToQColor(rule->background);
        }
    }
    painter.fillRect(parts.highlight, background);

    const int firstWidth = state.columnWidths.empty() ? 0 : state.columnWidths.front();
    QRect column(parts.bounds.left(), parts.bounds.top(), firstWidth, parts.bounds.height());
    painter.setClipRect(column);

    int image = 0;
    if (m_style->imageKeyColumn >= 0) {
        const RowStyleRule* rule = m_rules->Lookup(model.Text(state.row, m_style->imageKeyColumn));
        if (rule != nullptr) image = rule->image;
    }
    // The row keeps the image it is shown with, so whoever reads the row sees it too.
    if (image != model.Image(state.row)) model.StoreDrawnImage(state.row, image);
    m_images->Draw(painter, image, parts.icon.topLeft(),
                   state.highlighted ? m_style->highlight : QColor());

    painter.setPen(text);
    DrawCellText(painter, TextArea(parts, state.columnWidths, 0, offset),
                 model.ShownText(state.row, 0), Qt::AlignLeft);

    QRect bounds = parts.bounds;
    if (parts.highlight.right() > bounds.right()) bounds.setRight(parts.highlight.right());
    painter.setClipRect(bounds);
    for (std::size_t c = 1; c < state.columnWidths.size(); ++c) {
        if (model.Text(state.row, static_cast<int>(c)).empty()) continue;
        DrawCellText(painter, TextArea(parts, state.columnWidths, static_cast<int>(c), offset),
                     model.ShownText(state.row, static_cast<int>(c)), Qt::AlignLeft);
    }

    if (state.focusFrame) {
        // Dotted in the row's text colour, so it shows on the selection as on the rule colours.
        painter.setPen(QPen(text, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(parts.highlight.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

}  // namespace korvexer::gui
