// SPDX-License-Identifier: MIT
// Escaping of row columns.
#include "cli/row_format.h"

namespace korvexer::cli {

std::string EscapeColumn(std::string_view column) {
    std::string escaped;
    escaped.reserve(column.size());
    for (char c : column) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string UnescapeColumn(std::string_view column) {
    std::string text;
    text.reserve(column.size());
    for (std::size_t i = 0; i < column.size(); ++i) {
        if (column[i] != '\\' || i + 1 == column.size()) {
            text += column[i];
            continue;
        }
        switch (column[++i]) {
            case '\\':
                text += '\\';
                break;
            case 't':
                text += '\t';
                break;
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            default:  // not an escape of ours: keep both bytes
                text += '\\';
                text += column[i];
        }
    }
    return text;
}

std::string FormatRow(const std::vector<std::string>& columns) {
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) line += '\t';
        line += EscapeColumn(columns[i]);
    }
    return line;
}

std::vector<std::string> ParseRow(std::string_view line) {
    std::vector<std::string> columns;
    std::size_t start = 0;
    while (true) {
        std::size_t tab = line.find('\t', start);
        columns.push_back(UnescapeColumn(line.substr(start, tab - start)));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    return columns;
}

}  // namespace korvexer::cli
