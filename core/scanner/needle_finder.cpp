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
    // Bytes that differ only in bit 0x20 are equal where case does not count.
    auto equalAt = [&](std::size_t from, const std::string& text, bool foldCase) {
        if (from > buffer.size() || buffer.size() - from < text.size()) return false;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (foldCase ? (buffer[from + i] | 0x20) != (text[i] | 0x20)
                         : buffer[from + i] != text[i])
                return false;
        return true;
    };
    for (const Needle& needle : needles) {
        if (!equalAt(at, needle.text, needle.foldCase)) continue;
        if (needle.followers.empty() && needle.followerWords.empty()) return true;
        std::size_t next = at + needle.text.size();
        while (next < buffer.size() && source_text::IsBlank(buffer[next])) ++next;
        if (next == buffer.size()) continue;
        // A plain loop: the followers are few, and a search call costs more than looking.
        for (const char follower : needle.followers)
            if (follower == buffer[next]) return true;
        for (const std::string& word : needle.followerWords)
            if (equalAt(next, word, true)) return true;
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
