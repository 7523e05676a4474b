// SPDX-License-Identifier: MIT
// CGridListCtrl: configuration, row painting through the delegate, grid lines, click rules.
#include "gui/controls/grid_list_ctrl.h"

#include <algorithm>
#include <utility>

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <QToolTip>

#include "gui/controls/font_height.h"
#include "gui/controls/grid_geometry.h"
#include "gui/controls/row_list_model.h"
#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

namespace {

RgbColor ToRgb(const QColor& colour) {
    return RgbColor{static_cast<std::uint8_t>(colour.red()),
                    static_cast<std::uint8_t>(colour.green()),
                    static_cast<std::uint8_t>(colour.blue())};
}

constexpr int kHeaderWeight = 570;

}  // namespace

CGridListCtrl::CGridListCtrl(QWidget* parent)
    : QTreeView(parent),
      m_model(new RowListModel(this)),
      m_style{palette().color(QPalette::Text),
              palette().color(QPalette::Base),
              palette().color(QPalette::Highlight),
              palette().color(QPalette::HighlightedText),
              -1,
              -1},
      m_rules(RowStyleRule{"", ToRgb(m_style.defaultText), ToRgb(m_style.defaultBackground), 0}),
      m_delegate(new GridRowDelegate(&m_rules, &m_images, &m_style, this)) {
    setModel(m_model);
    setItemDelegate(m_delegate);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideRight);
    // A click decides itself whether the list takes the focus (see mousePressEvent).
    setFocusPolicy(Qt::TabFocus);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header()->setMinimumSectionSize(1);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int) { TakeFocusOnScroll(); });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int) { TakeFocusOnScroll(); });
}

CGridListCtrl::~CGridListCtrl() = default;

void CGridListCtrl::AttachRows(RowList* rows) {
    m_model->Attach(rows);
}

void CGridListCtrl::AddRowStyleRule(std::string key, RgbColor text, RgbColor background,
                                    int image) {
    m_rules.Add(RowStyleRule{std::move(key), text, background, image});
}

void CGridListCtrl::SetColourKeyColumn(int column) {
    m_style.colourKeyColumn = column;
}

void CGridListCtrl::SetImageKeyColumn(int column) {
    m_style.imageKeyColumn = column;
}

void CGridListCtrl::AddColumnDescriptor(std::string heading) {
    const int index = static_cast<int>(m_columns.size());
    m_columns.push_back(ColumnDescriptor{std::move(heading), index});
}

void CGridListCtrl::SetupList(ImageStrip images, bool singleSelection,
                              const std::vector<int>& widths, const QFont& dialogFont) {
    m_images = std::move(images);

    const int height = font_height::Of(dialogFont);
    SetControlFont(font_height::Sized(dialogFont, grid_geometry::EnlargedFontHeight(height, 2)),
                   FontTarget::List);
    QFont headerFont = font_height::Sized(dialogFont, grid_geometry::EnlargedFontHeight(height, 3));
    headerFont.setWeight(static_cast<QFont::Weight>(kHeaderWeight));
    SetControlFont(headerFont, FontTarget::Header);

    setSelectionMode(singleSelection ? QAbstractItemView::SingleSelection
                                     : QAbstractItemView::ExtendedSelection);
    m_gridColour = QColor(192, 192, 192);

    std::vector<std::string> headings;
    headings.reserve(m_columns.size());
    for (const ColumnDescriptor& column : m_columns) headings.push_back(column.heading);
    m_model->SetHeadings(std::move(headings));
    for (const ColumnDescriptor& column : m_columns) {
        const auto position = static_cast<std::size_t>(column.columnIndex);
        if (position < widths.size()) header()->resizeSection(column.columnIndex, widths[position]);
    }
}

void CGridListCtrl::SetControlFont(const QFont& font, FontTarget target) {
    if (target == FontTarget::Header) {
        m_headerFont = font;
        header()->setFont(font);
    } else {
        m_listFont = font;
        // A header font set before stays: Qt does not pass the list's font over an explicit one.
        setFont(font);
    }
    viewport()->update();
}

void CGridListCtrl::Configure(const GridListSetup& setup, const QFont& dialogFont) {
    SetColourKeyColumn(setup.colourKeyColumn);
    SetImageKeyColumn(setup.imageKeyColumn);
    for (const RuleSetup& rule : setup.rules)
        AddRowStyleRule(rule.key, rule.text ? *rule.text : DefaultTextColour(), rule.background,
                        rule.image);
    std::vector<int> widths;
    for (const ColumnSetup& column : setup.columns) {
        AddColumnDescriptor(column.heading);
        widths.push_back(column.width);
    }
    m_model->SetFileTexts(setup.fileTextColumns, setup.filePathColumn);
    SetupList(setup.strip == ImageStripKind::Letters ? ImageStrip::Letters() : ImageStrip::Discs(),
              setup.singleSelection, widths, dialogFont);
}

std::vector<std::size_t> CGridListCtrl::FirstSelectedRows(std::size_t limit,
                                                          std::size_t* total) const {
    std::vector<std::pair<int, int>> ranges;  // top and bottom rows
    std::size_t count = 0;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        ranges.emplace_back(range.top(), range.bottom());
        count += static_cast<std::size_t>(range.bottom() - range.top() + 1);
    }
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::size_t> rows;
    // Ranges of a row-wise selection do not overlap; a row is taken once all the same.
    for (const auto& [top, bottom] : ranges)
        for (int row = top; row <= bottom && rows.size() < limit; ++row)
            if (rows.empty() || static_cast<int>(rows.back()) < row)
                rows.push_back(static_cast<std::size_t>(row));
    if (total != nullptr) *total = count;
    return rows;
}

int CGridListCtrl::HitTestEx(QPoint point, int* column) const {
    if (column != nullptr) *column = -1;
    const int count = m_model->rowCount();
    grid_geometry::RowHitInput input;
    input.rowCount = count;
    input.rowHeight = RowHeight();
    input.rowsPerPage = RowsPerPage();
    input.firstRow = verticalScrollBar()->value();
    if (input.firstRow < count)
        input.firstRowTop = visualRect(m_model->index(input.firstRow, 0)).top();
    input.boundsLeft = header()->count() > 0 ? header()->sectionViewportPosition(0) : 0;
    input.columnWidths = ColumnWidths();
    const grid_geometry::RowHit hit = grid_geometry::HitTestRows(point, input);
    if (column != nullptr) *column = hit.column;
    return hit.row;
}

RgbColor CGridListCtrl::DefaultTextColour() const {
    return ToRgb(m_style.defaultText);
}

RgbColor CGridListCtrl::DefaultBackgroundColour() const {
    return ToRgb(m_style.defaultBackground);
}

int CGridListCtrl::RowHeight() const {
    if (m_model->rowCount() > 0) {
        const int height = rowHeight(m_model->index(0, 0));
        if (height > 0) return height;
    }
    return GridRowDelegate::RowHeight(fontMetrics());
}

int CGridListCtrl::RowsPerPage() const {
    const int height = RowHeight();
    return height > 0 ? viewport()->height() / height : 0;
}

QString CGridListCtrl::EmptyNotice() {
    return QStringLiteral("当前没有内容显示。");
}

void CGridListCtrl::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                const QList<int>& roles) {
    QTreeView::dataChanged(topLeft, bottomRight, roles);
    // A row takes its colours and image from its key columns, so a changed cell repaints the
    // whole of its row, not only the cell.
    const QRect first = visualRect(topLeft.siblingAtColumn(0));
    const QRect last = visualRect(bottomRight.siblingAtColumn(0));
    if (!first.isValid() || !last.isValid()) {
        viewport()->update();
        return;
    }
    const QRect rows(0, first.top(), viewport()->width(), last.bottom() - first.top() + 1);
    viewport()->update(rows.intersected(viewport()->rect()));
}

void CGridListCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    GridRowState state;
    state.row = index.row();
    state.columnWidths = ColumnWidths();
    state.parts = PartsOfRow(option.rect.top(), option.rect.height(), state.columnWidths);
    const QModelIndex first = m_model->index(index.row(), 0);
    state.highlighted = selectionModel() != nullptr && selectionModel()->isSelected(first);
    state.focusFrame = hasFocus() && currentIndex().row() == index.row();
    painter->setFont(font());
    m_delegate->PaintRow(*painter, *m_model, state);
}

grid_geometry::RowParts CGridListCtrl::PartsOfRow(int top, int height,
                                                  const std::vector<int>& widths) const {
    const int left = header()->count() > 0 ? header()->sectionViewportPosition(0) : 0;
    return grid_geometry::SplitRow(left, top, height, widths, ImageStrip::kImageWidth,
                                   grid_geometry::kIconMargin);
}

QString CGridListCtrl::CellToolTip(QPoint point) const {
    int column = -1;
    const int row = HitTestEx(point, &column);
    if (row < 0 || column < 0) return {};
    const QString text = m_model->ShownText(row, column);
    if (text.isEmpty()) return {};
    const QRect rowRect = visualRect(m_model->index(row, 0));
    const std::vector<int> widths = ColumnWidths();
    const QFontMetrics metrics(font());
    const QRect area =
        GridRowDelegate::TextArea(PartsOfRow(rowRect.top(), rowRect.height(), widths), widths,
                                  column, GridRowDelegate::TextMargin(metrics));
    return metrics.horizontalAdvance(text) > area.width() ? text : QString();
}

QSize CGridListCtrl::sizeHint() const {
    QSize hint = QTreeView::sizeHint();
    hint.setWidth(header()->length() + 2 * frameWidth() + verticalScrollBar()->sizeHint().width());
    return hint;
}

bool CGridListCtrl::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QTreeView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = CellToolTip(help->pos());
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, viewport());
    }
    return true;
}

void CGridListCtrl::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    QPainter painter(viewport());
    if (m_model->rowCount() == 0) {
        PaintEmptyNotice(painter);
    } else if (header()->count() > 0) {
        PaintGridLines(painter);
    }
}

void CGridListCtrl::PaintEmptyNotice(QPainter& painter) {
    const QRect client = viewport()->rect();
    painter.fillRect(client, palette().color(QPalette::Base));
    QFont font;  // the application's default face, not the list font
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    const QString notice = EmptyNotice();
    const QFontMetrics metrics = painter.fontMetrics();
    const QSize textSize(metrics.horizontalAdvance(notice), metrics.height());
    const QPoint origin = grid_geometry::CentredOrigin(client.size(), textSize);
    const auto drawAt = [&](QPoint at, QColor colour) {
        painter.setPen(colour);
        painter.drawText(QRect(at, textSize), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         notice);
    };
    const QColor shadow(203, 192, 255);
    drawAt(origin + QPoint(1, 1), shadow);
    drawAt(origin + QPoint(2, 2), shadow);
    drawAt(origin, QColor(255, 0, 0));
}

void CGridListCtrl::PaintGridLines(QPainter& painter) {
    grid_geometry::GridLineInput input;
    input.headerBottom = 0;  // the viewport starts right below the header
    input.horizontalStart = -horizontalOffset();
    input.rowHeight = RowHeight();
    input.rowsPerPage = RowsPerPage();
    input.columnWidths = ColumnWidths();
    input.clientWidth = viewport()->width();
    input.clientHeight = viewport()->height();
    const grid_geometry::GridLines lines = grid_geometry::ComputeGridLines(input);
    const int right = input.clientWidth - 1;
    painter.setPen(QPen(Qt::white, 1));
    for (int y : lines.whiteY) painter.drawLine(0, y, right, y);
    painter.setPen(QPen(m_gridColour, 1));
    for (int y : lines.horizontalY) painter.drawLine(0, y, right, y);
    for (int x : lines.verticalX)
        painter.drawLine(x, input.headerBottom, x, input.clientHeight - 1);
}

void CGridListCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QTreeView::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    m_pressConsumed = true;
    event->accept();
    // Empty space below the rows: nothing changes, nobody hears of the click.
    if (!indexAt(point).isValid()) return;
    int column = -1;
    const int row = HitTestEx(point, &column);
    if (row < 0) return;
    const bool currentRow = currentIndex().isValid() && currentIndex().row() == row;
    if (!currentRow || column < 0) {
        const QModelIndex target = m_model->index(row, 0);
        const bool extends = selectionMode() == QAbstractItemView::ExtendedSelection &&
                             (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) != 0;
        // With Ctrl or Shift the view's own rules decide about the row next: selecting it here
        // first would let a Ctrl click turn it off again and a Shift click keep stale rows.
        selectionModel()->setCurrentIndex(
            target, extends ? QItemSelectionModel::NoUpdate
                            : QItemSelectionModel::Select | QItemSelectionModel::Rows);
    } else if (column != 0) {
        // Another column of the current row: consumed.
        return;
    }
    m_pressConsumed = false;
    setFocus(Qt::MouseFocusReason);
    QTreeView::mousePressEvent(event);
}

void CGridListCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (m_pressConsumed && (event->buttons() & Qt::LeftButton)) {
        event->accept();
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void CGridListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (m_pressConsumed && event->button() == Qt::LeftButton) {
        m_pressConsumed = false;
        event->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void CGridListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click on a row always reaches the owner, also on a column whose single click is
    // consumed; its release is no further click.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    m_pressConsumed = true;
    event->accept();
    if (index.isValid()) emit doubleClicked(index);
    // Also on empty space, where the empty list's notice invites it.
    emit ListDoubleClicked();
}

std::vector<int> CGridListCtrl::ColumnWidths() const {
    std::vector<int> widths;
    const int count = header()->count();
    widths.reserve(static_cast<std::size_t>(count));
    for (int column = 0; column < count; ++column) widths.push_back(header()->sectionSize(column));
    return widths;
}

void CGridListCtrl::TakeFocusOnScroll() {
    if (!hasFocus()) setFocus(Qt::OtherFocusReason);
}

}  // namespace korvexer::gui
