// SPDX-License-Identifier: MIT
// Reading back the comment a replacement appended.
#include "core/rewrite/replaced_text.h"

#include "core/rewrite/row_edit.h"

namespace korvexer {

namespace {

bool IsNameByte(char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
           (byte >= 'A' && byte <= 'Z') || byte == '_' || byte == ':';
}

bool IsBlank(char byte) {
    return byte == ' ' || byte == '\t';
}

}  // namespace

bool CommentStandsAfter(std::string_view line, std::size_t from, std::string_view removal,
                        TextEncoding encoding) {
    if (from > line.size()) return false;
    const std::size_t at = FindLastCharAligned(line, removal, encoding);
    return at != std::string_view::npos && at >= from;
}

std::vector<std::string_view> CommentNames(std::string_view line, std::size_t from,
                                           std::string_view commentPrefix, TextEncoding encoding) {
    std::vector<std::string_view> names;
    if (commentPrefix.empty()) return names;
    // The prefixes that start on a character, in order; every prefix byte is ASCII, so a name
    // right after one is plain bytes.
    std::vector<std::size_t> prefixes;
    for (std::size_t i = 0; i + commentPrefix.size() <= line.size();
         i += CharWidthAt(line, i, encoding))
        if (i >= from && line.compare(i, commentPrefix.size(), commentPrefix) == 0) {
            prefixes.push_back(i);
            i += commentPrefix.size() - 1;
        }
    for (std::size_t k = 0; k < prefixes.size(); ++k) {
        const std::size_t start = prefixes[k] + commentPrefix.size();
        const std::size_t limit = k + 1 < prefixes.size() ? prefixes[k + 1] : line.size();
        std::size_t end = start;
        while (end < limit && IsNameByte(line[end])) ++end;
        std::size_t rest = end;
        while (rest < limit && IsBlank(line[rest])) ++rest;
        if (end > start && rest == limit) names.push_back(line.substr(start, end - start));
    }
    return names;
}

}  // namespace korvexer
