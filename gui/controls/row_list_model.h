// SPDX-License-Identifier: MIT
// RowListModel: the table model through which a grid list shows a core RowList.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QAbstractTableModel>

#include "core/list/row_list.h"
#include "core/platform/text_encoding.h"

namespace korvexer::gui {

// Shows the rows of a RowList that somebody else owns. Changes made through this model are
// announced to the views; after changing the RowList directly, announce it with ShowAppendedRows,
// ShowChangedCells or RemoveRowBy, which keep the views' selection, or with Reload().
class RowListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role : int {
        GbkTextRole = Qt::UserRole + 1,  // QByteArray: the cell's GBK bytes
        ImageRole,                       // int: the row's image index (any column)
    };

    explicit RowListModel(QObject* parent = nullptr);

    // Shows `rows` (may be null: no rows); the model does not own it.
    void Attach(RowList* rows);
    RowList* Rows() const { return m_rows; }

    // The encoding of the source file a path names.
    using EncodingLookup = std::function<TextEncoding(const std::string& path)>;
    // The cells of `columns` hold a source file's own bytes, shown in the encoding that the
    // lookup gives for the path in column `pathColumn` of their row; every other cell is GBK.
    // Without a lookup every cell is GBK.
    void SetFileTexts(std::vector<int> columns, int pathColumn);
    void SetEncodingLookup(EncodingLookup lookup);
    // The encoding of a cell's bytes, and its text as the user reads it ("" outside the list).
    TextEncoding CellEncoding(int row, int column) const;
    QString ShownText(int row, int column) const;

    // Column headings in GBK; their number is the model's column count.
    void SetHeadings(std::vector<std::string> gbkHeadings);
    const std::vector<std::string>& Headings() const { return m_headings; }

    // Row operations that tell the views. Indexes out of range are ignored (Insert appends).
    int AppendRow(std::vector<std::string> columns, int image = 0);
    int InsertRow(int row, std::vector<std::string> columns, int image = 0);
    void RemoveRow(int row);
    void Clear();
    void SetText(int row, int column, std::string gbkText);
    void SetImage(int row, int image);
    // Stores the image the painter has just drawn for `row`, without a change notice: the view
    // already shows it.
    void StoreDrawnImage(int row, int image);
    // Tells the views that the attached RowList was changed behind the model's back.
    void Reload();
    // Tells the views about rows appended to the attached RowList behind the model's back. Until
    // then the model does not show them.
    void ShowAppendedRows();
    // Tells the views that texts or images of the cells in rows `firstRow` to `lastRow` and
    // columns `firstColumn` to `lastColumn` (those of them that the model shows) changed behind
    // the model's back (no row added or removed).
    void ShowChangedCells(int firstRow, int lastRow, int firstColumn, int lastColumn);
    // Runs `remove`, which takes row `row` out of the attached RowList, between the notices of
    // that row's removal. Does nothing for a row out of range.
    void RemoveRowBy(int row, const std::function<void()>& remove);

    // The GBK text of a cell; "" outside the list.
    const std::string& Text(int row, int column) const;
    int Image(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool IsRow(int row) const;

    RowList* m_rows = nullptr;
    // The rows the views have been told about: all of m_rows but rows appended behind the model's
    // back and not yet shown.
    int m_rowCount = 0;
    std::vector<std::string> m_headings;
    std::vector<int> m_fileTextColumns;
    int m_pathColumn = -1;
    EncodingLookup m_encodingOf;
};

}  // namespace korvexer::gui
