// SPDX-License-Identifier: MIT
// UnifiedDiff: the difference of two texts as a unified diff, the form patch tools read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvexer::cli {

// The unified diff that turns `oldText` into `newText`, both split into lines after each LF (a CR
// before it belongs to its line, as the file holds it): a "--- oldName" and a "+++ newName"
// header, then hunks of `context` unchanged lines around each change, hunks whose contexts meet
// joined, each under an "@@ -start,count +start,count @@" line. A last line without its line
// break is followed by "\ No newline at end of file". The lines compared are the shortest
// edit script's (Myers' algorithm in linear space). "" when the texts are equal.
std::string UnifiedDiff(std::string_view oldText, std::string_view newText,
                        std::string_view oldName, std::string_view newName,
                        std::size_t context = 3);
// The hunks alone, for a caller that writes the headers in another encoding than the lines.
std::string UnifiedDiffHunks(std::string_view oldText, std::string_view newText,
                             std::size_t context = 3);

}  // namespace korvexer::cli
