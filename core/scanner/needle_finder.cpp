// SPDX-License-Identifier: MIT
// One pass over the buffer for all needles, and a look only where one may start.
#include "core/scanner/needle_finder.h"

#include <algorithm>
#include <utility>

#include "core/scanner/source_text.h"

namespace korvexer {

namespace {

std::vector<Needle> WithoutEmpty(std::vector<Needle> needles) {
    needles.erase(std::remove_if(needles.begin(), needles.end(),
                                 [](const Needle& needle) { return needle.text.empty(); }),
                  needles.end());
    return needles;
}

std::vector<PatternScanner::Pattern> PatternsOf(const std::vector<Needle>& needles) {
    std::vector<PatternScanner::Pattern> patterns;
    for (const Needle& needle : needles)
        patterns.push_back({needle.text.substr(0, 2), needle.foldCase});
    return patterns;
}

}  // namespace

NeedleFinder::NeedleFinder(std::string_view buffer, std::vector<Needle> needles)
    : m_buffer(buffer),
      m_needles(WithoutEmpty(std::move(needles))),
      m_scanner(buffer, PatternsOf(m_needles)) {}

bool NeedleCountsAt(std::string_view buffer, const std::vector<Needle>& needles, std::size_t at) {
    for (const Needle& needle : needles) {
        const std::string& text = needle.text;
        if (at > buffer.size() || buffer.size() - at < text.size()) continue;
        bool equal = true;
        for (std::size_t i = 0; equal && i < text.size(); ++i)
            equal = needle.foldCase ? (buffer[at + i] | 0x20) == (text[i] | 0x20)
                                    : buffer[at + i] == text[i];
        if (!equal) continue;
        if (needle.followers.empty()) return true;
        std::size_t next = at + text.size();
        while (next < buffer.size() && source_text::IsBlank(buffer[next])) ++next;
        // A plain loop: the followers are few, and a search call costs more than looking.
        if (next < buffer.size())
            for (const char follower : needle.followers)
                if (follower == buffer[next]) return true;
    }
    return false;
}

std::size_t NeedleFinder::Next(std::size_t from) {
    if (m_needles.empty()) return std::string::npos;
    // An answer found earlier stands while `from` has not passed it: the bytes from there on are
    // as they were.
    if (m_lastFrom != std::string::npos && from >= m_lastFrom && from <= m_lastFound)
        return m_lastFound;
    std::size_t found = std::string::npos;
    for (std::size_t at = m_scanner.Find(from); at < m_buffer.size(); at = m_scanner.Find(at + 1))
        if (NeedleCountsAt(m_buffer, m_needles, at)) {
            found = at;
            break;
        }
    m_lastFrom = from;
    m_lastFound = found;
    return found;
}

}  // namespace korvexer
