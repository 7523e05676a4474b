// SPDX-License-Identifier: MIT
// RowList operations.
#include "core/list/row_list.h"

#include <cassert>

namespace korvexer {

namespace {
const std::string kEmpty;
}

std::size_t RowList::Append(std::vector<std::string> columns, int image) {
    return Insert(m_rows.size(), std::move(columns), image);
}

std::size_t RowList::Insert(std::size_t index, std::vector<std::string> columns, int image) {
    columns.resize(m_columnCount);
    if (index > m_rows.size()) index = m_rows.size();
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(index),
                  Row{std::move(columns), image});
    return index;
}

void RowList::Remove(std::size_t index) {
    assert(index < m_rows.size());
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(index));
}

const std::string& RowList::Text(std::size_t row, std::size_t column) const {
    const Row& r = m_rows[row];
    return column < r.columns.size() ? r.columns[column] : kEmpty;
}

void RowList::SetText(std::size_t row, std::size_t column, std::string text) {
    assert(column < m_columnCount);
    m_rows[row].columns[column] = std::move(text);
}

}  // namespace korvexer
