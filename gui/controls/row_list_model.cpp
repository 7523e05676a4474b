// SPDX-License-Identifier: MIT
// RowListModel: change notices around RowList operations, and cell data on demand.
#include "gui/controls/row_list_model.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include <QByteArray>

#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

namespace {
const std::string kNoText;
}

RowListModel::RowListModel(QObject* parent) : QAbstractTableModel(parent) {}

void RowListModel::Attach(RowList* rows) {
    beginResetModel();
    m_rows = rows;
    m_rowCount = rows != nullptr ? static_cast<int>(rows->size()) : 0;
    endResetModel();
}

void RowListModel::SetFileTexts(std::vector<int> columns, int pathColumn) {
    beginResetModel();
    m_fileTextColumns = std::move(columns);
    m_pathColumn = pathColumn;
    endResetModel();
}

void RowListModel::SetEncodingLookup(EncodingLookup lookup) {
    beginResetModel();
    m_encodingOf = std::move(lookup);
    endResetModel();
}

TextEncoding RowListModel::CellEncoding(int row, int column) const {
    if (!m_encodingOf || !IsRow(row) ||
        std::find(m_fileTextColumns.begin(), m_fileTextColumns.end(), column) ==
            m_fileTextColumns.end())
        return TextEncoding::Gbk;
    return m_encodingOf(Text(row, m_pathColumn));
}

QString RowListModel::ShownText(int row, int column) const {
    return GbkCodec::ToQString(Text(row, column), CellEncoding(row, column));
}

void RowListModel::SetHeadings(std::vector<std::string> gbkHeadings) {
    beginResetModel();
    m_headings = std::move(gbkHeadings);
    endResetModel();
}

int RowListModel::AppendRow(std::vector<std::string> columns, int image) {
    return InsertRow(rowCount(), std::move(columns), image);
}

int RowListModel::InsertRow(int row, std::vector<std::string> columns, int image) {
    if (m_rows == nullptr) return -1;
    const int count = rowCount();
    if (row < 0 || row > count) row = count;
    beginInsertRows(QModelIndex(), row, row);
    m_rows->Insert(static_cast<std::size_t>(row), std::move(columns), image);
    ++m_rowCount;
    endInsertRows();
    return row;
}

void RowListModel::RemoveRow(int row) {
    if (!IsRow(row)) return;
    beginRemoveRows(QModelIndex(), row, row);
    m_rows->Remove(static_cast<std::size_t>(row));
    --m_rowCount;
    endRemoveRows();
}

void RowListModel::Clear() {
    if (m_rows == nullptr || m_rows->empty()) return;
    if (m_rowCount == 0) {
        m_rows->clear();  // only rows that were never shown
        return;
    }
    beginRemoveRows(QModelIndex(), 0, m_rowCount - 1);
    m_rows->clear();
    m_rowCount = 0;
    endRemoveRows();
}

void RowListModel::SetText(int row, int column, std::string gbkText) {
    if (!IsRow(row) || column < 0 || static_cast<std::size_t>(column) >= m_rows->ColumnCount())
        return;
    m_rows->SetText(static_cast<std::size_t>(row), static_cast<std::size_t>(column),
                    std::move(gbkText));
    if (column < columnCount()) {
        const QModelIndex cell = index(row, column);
        emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::ToolTipRole, GbkTextRole});
    }
}

void RowListModel::SetImage(int row, int image) {
    if (!IsRow(row) || m_rows->Image(static_cast<std::size_t>(row)) == image) return;
    m_rows->SetImage(static_cast<std::size_t>(row), image);
    if (columnCount() > 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1), {ImageRole});
}

void RowListModel::StoreDrawnImage(int row, int image) {
    if (IsRow(row)) m_rows->SetImage(static_cast<std::size_t>(row), image);
}

void RowListModel::Reload() {
    beginResetModel();
    m_rowCount = m_rows != nullptr ? static_cast<int>(m_rows->size()) : 0;
    endResetModel();
}

void RowListModel::ShowAppendedRows() {
    if (m_rows == nullptr) return;
    const int count = static_cast<int>(m_rows->size());
    if (count <= m_rowCount) return;
    // The rows shown so far keep their place and texts, so the views hear of an insertion at the
    // end, not of a reset: they keep their selection and scroll position.
    beginInsertRows(QModelIndex(), m_rowCount, count - 1);
    m_rowCount = count;
    endInsertRows();
}

void RowListModel::ShowChangedCells(int firstRow, int lastRow, int firstColumn, int lastColumn) {
    firstRow = std::max(firstRow, 0);
    lastRow = std::min(lastRow, m_rowCount - 1);
    firstColumn = std::max(firstColumn, 0);
    lastColumn = std::min(lastColumn, columnCount() - 1);
    if (firstRow > lastRow || firstColumn > lastColumn) return;
    // Views visit every cell of the range to find what to repaint (on 100,000 rows a notice over
    // all six columns costs several times one over the state column), so the range holds only
    // the cells that changed.
    emit dataChanged(index(firstRow, firstColumn), index(lastRow, lastColumn),
                     {Qt::DisplayRole, Qt::ToolTipRole, GbkTextRole, ImageRole});
}

void RowListModel::RemoveRowBy(int row, const std::function<void()>& remove) {
    if (!IsRow(row)) return;
    beginRemoveRows(QModelIndex(), row, row);
    [[maybe_unused]] const std::size_t before = m_rows->size();
    remove();
    assert(m_rows->size() + 1 == before);
    --m_rowCount;
    endRemoveRows();
}

const std::string& RowListModel::Text(int row, int column) const {
    if (!IsRow(row) || column < 0) return kNoText;
    return m_rows->Text(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
}

int RowListModel::Image(int row) const {
    return IsRow(row) ? m_rows->Image(static_cast<std::size_t>(row)) : 0;
}

int RowListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int RowListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_headings.size());
}

QVariant RowListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    // Only the asked cell is converted: views ask for the visible rows alone.
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return ShownText(index.row(), index.column());
        case GbkTextRole: {
            const std::string& text = Text(index.row(), index.column());
            return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
        }
        case ImageRole:
            return Image(index.row());
        default:
            return {};
    }
}

QVariant RowListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        static_cast<std::size_t>(section) >= m_headings.size())
        return {};
    return GbkCodec::ToQString(m_headings[static_cast<std::size_t>(section)]);
}

Qt::ItemFlags RowListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // No cell is editable.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool RowListModel::IsRow(int row) const {
    return m_rows != nullptr && row >= 0 && row < m_rowCount;
}

}  // namespace korvexer::gui
