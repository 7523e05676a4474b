// SPDX-License-Identifier: MIT
// The row text form of korvexer-cli: tab-separated columns with \\, \t, \n and \r escaped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvexer::cli {

std::string EscapeColumn(std::string_view column);
std::string UnescapeColumn(std::string_view column);

std::string FormatRow(const std::vector<std::string>& columns);
// Splits one input line (without its line end) at tabs and unescapes each column.
std::vector<std::string> ParseRow(std::string_view line);

}  // namespace korvexer::cli
