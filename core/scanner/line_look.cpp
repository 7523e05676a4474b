// SPDX-License-Identifier: MIT
// One line's look, as both walks take it.
#include "core/scanner/line_look.h"

#include <cstring>

namespace korvexer {

LineLook::LineLook(const StatementRules& rules, std::string_view bytes)
    : m_rules(rules),
      m_bytes(bytes),
      m_comments(rules.language(), rules.encoding()),
      m_phases(rules) {}

bool LineLook::Look(const LineSpan& span, std::size_t index, Statement& out) {
    const std::string_view unblanked = m_bytes.substr(span.offset, span.length);
    m_line = unblanked;
    // A line outside a comment without the marker's first byte has nothing to blank. The copy
    // keeps the file's own bytes as they are, for the extractor to check values against.
    const std::string& begin = m_rules.language().multilinenote_begin;
    if (!begin.empty() && (m_comments.inside() ||
                           std::memchr(unblanked.data(), begin[0], unblanked.size()) != nullptr)) {
        m_blanked.assign(unblanked);
        m_comments.BlankLine(m_blanked, {0, span.length, span.end});
        m_line = m_blanked;
    }
    if (!m_phases.InStatements()) {
        m_phases.Pass(m_line);
        return false;
    }
    return m_rules.TakeLine(index, m_line, unblanked, out);
}

}  // namespace korvexer
