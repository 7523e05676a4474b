// SPDX-License-Identifier: MIT
// Block comments blanked line by line.
#include "core/scanner/comment_blanker.h"

#include <algorithm>
#include <string_view>

#include "core/scanner/source_text.h"

namespace korvexer {

namespace st = source_text;

CommentBlanker::CommentBlanker(const LanguageDefinition& language, TextEncoding encoding)
    : m_language(language), m_encoding(encoding) {}

void CommentBlanker::BlankLine(std::string& bytes, const LineSpan& span) {
    const std::string_view begin = m_language.multilinenote_begin;
    const std::string_view end = m_language.multilinenote_end;
    if (begin.empty()) return;
    const std::string_view line = std::string_view(bytes).substr(span.offset, span.length);
    auto blank = [&](std::size_t from, std::size_t to) {
        std::fill(bytes.begin() + span.offset + static_cast<std::ptrdiff_t>(from),
                  bytes.begin() + span.offset + static_cast<std::ptrdiff_t>(to), ' ');
    };
    std::size_t from = 0;  // where the search goes on in the line
    while (true) {
        if (m_inside) {
            const std::size_t close = st::FindText(line, end, m_encoding, from);
            if (close == st::npos) {
                blank(from, line.size());
                return;
            }
            blank(from, close + end.size());
            from = close + end.size();
            m_inside = false;
        }
        const std::size_t open = st::FindText(line, begin, m_encoding, from);
        if (open == st::npos) return;
        const std::size_t close = st::FindText(line, end, m_encoding, open + begin.size());
        if (close == st::npos) {
            blank(open, line.size());
            m_inside = true;
            return;
        }
        blank(open, close + end.size());
        from = close + end.size();
    }
}

}  // namespace korvexer
