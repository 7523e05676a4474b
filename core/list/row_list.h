// SPDX-License-Identifier: MIT
// RowList: the rows of a report list, text columns plus an image index, in order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvexer {

struct Row {
    std::vector<std::string> columns;  // GBK text
    int image = 0;
};

// Rows of a fixed number of text columns. Reading a column past a row's end gives "".
class RowList {
public:
    explicit RowList(std::size_t columnCount = 6) : m_columnCount(columnCount) {}

    std::size_t ColumnCount() const { return m_columnCount; }
    std::size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    void clear() { m_rows.clear(); }
    void reserve(std::size_t count) { m_rows.reserve(count); }

    // Appends a row; missing columns are empty, extra ones dropped. Returns its index.
    std::size_t Append(std::vector<std::string> columns, int image = 0);
    // Inserts before `index` (at the end when index >= size()). Returns the row's index.
    std::size_t Insert(std::size_t index, std::vector<std::string> columns, int image = 0);
    void Remove(std::size_t index);

    const std::string& Text(std::size_t row, std::size_t column) const;
    void SetText(std::size_t row, std::size_t column, std::string text);
    int Image(std::size_t row) const { return m_rows[row].image; }
    void SetImage(std::size_t row, int image) { m_rows[row].image = image; }

    const Row& operator[](std::size_t row) const { return m_rows[row]; }
    const std::vector<Row>& rows() const { return m_rows; }

private:
    std::size_t m_columnCount;
    std::vector<Row> m_rows;
};

}  // namespace korvexer
