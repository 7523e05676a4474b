// SPDX-License-Identifier: MIT
// One search per occurrence of a needle, instead of a look at every line.
#include "core/scanner/candidate_lines.h"

#include <algorithm>
#include <utility>

#include "core/scanner/source_text.h"

namespace korvexer {

CandidateLines::CandidateLines(const LineModel& model, std::vector<std::string> needles,
                               std::string followers)
    : m_model(model), m_needles(std::move(needles)), m_anyFollower(followers.empty()) {
    for (char byte : followers) m_follower[static_cast<unsigned char>(byte)] = true;
    m_needles.erase(std::remove(m_needles.begin(), m_needles.end(), std::string()),
                    m_needles.end());
    for (const std::string& needle : m_needles) m_firstBytes.emplace_back(model.bytes, needle[0]);
    m_next.assign(m_needles.size(), std::string::npos);
    m_searched.assign(m_needles.size(), false);
}

std::size_t CandidateLines::FindNeedle(std::size_t k, std::size_t from) {
    // Needles are a byte or two: their first byte is found by the block scanner and the rest
    // compared in place.
    const std::string_view bytes = m_model.bytes;
    const std::string_view needle = m_needles[k];
    for (std::size_t at = m_firstBytes[k].Find(from); at < bytes.size();
         at = m_firstBytes[k].Find(at + 1)) {
        if (bytes.compare(at, needle.size(), needle) != 0) continue;
        if (m_anyFollower) return at;
        std::size_t next = at + needle.size();
        while (next < bytes.size() && source_text::IsBlank(bytes[next])) ++next;
        if (next < bytes.size() && m_follower[static_cast<unsigned char>(bytes[next])]) return at;
    }
    return std::string::npos;
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
            m_next[k] = FindNeedle(k, from);
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
