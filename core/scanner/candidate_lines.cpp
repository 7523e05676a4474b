// SPDX-License-Identifier: MIT
// One library search per occurrence of a needle, instead of a look at every line.
#include "core/scanner/candidate_lines.h"

#include <algorithm>
#include <utility>

namespace korvexer {

CandidateLines::CandidateLines(const LineModel& model, std::vector<std::string> needles)
    : m_model(model), m_needles(std::move(needles)) {
    m_needles.erase(std::remove(m_needles.begin(), m_needles.end(), std::string()),
                    m_needles.end());
    m_next.assign(m_needles.size(), std::string::npos);
    m_searched.assign(m_needles.size(), false);
}

std::size_t CandidateLines::NextFrom(std::size_t line) {
    const std::size_t count = m_model.LineCount();
    if (line >= count || m_needles.empty()) return std::min(line, count);
    const std::size_t from = m_model.lines[line].offset;
    std::size_t hit = std::string::npos;
    for (std::size_t k = 0; k < m_needles.size(); ++k) {
        // A needle found before `from` may occur again later: search on. One that was not found
        // at all is not found later either.
        if (!m_searched[k] || (m_next[k] != std::string::npos && m_next[k] < from)) {
            m_next[k] = m_model.bytes.find(m_needles[k], from);
            m_searched[k] = true;
        }
        hit = std::min(hit, m_next[k]);
    }
    if (hit == std::string::npos) return count;
    // The line that holds the first byte of the occurrence: lines before it end before it.
    while (line < count &&
           std::size_t{m_model.lines[line].offset} + m_model.lines[line].length <= hit)
        ++line;
    return line;
}

}  // namespace korvexer
