// SPDX-License-Identifier: MIT
// One pass over the buffer for all needles, and a look only where one may start.
#include "core/scanner/needle_finder.h"

#include <algorithm>
#include <utility>

#include "core/scanner/source_text.h"

namespace korvexer {

namespace {

std::vector<std::string> WithoutEmpty(std::vector<std::string> needles) {
    needles.erase(std::remove(needles.begin(), needles.end(), std::string()), needles.end());
    return needles;
}

}  // namespace

NeedleFinder::NeedleFinder(std::string_view buffer, std::vector<std::string> needles,
                           std::string_view followers, bool foldCase)
    : m_buffer(buffer),
      m_needles(WithoutEmpty(std::move(needles))),
      m_scanner(buffer, m_needles, foldCase),
      m_anyFollower(followers.empty()),
      m_foldCase(foldCase) {
    for (char byte : followers) m_follower[static_cast<unsigned char>(byte)] = true;
}

bool NeedleFinder::CountsAt(std::size_t at) const {
    for (const std::string& needle : m_needles) {
        if (m_buffer.size() - at < needle.size()) continue;
        bool equal = true;
        for (std::size_t i = 0; equal && i < needle.size(); ++i)
            equal = m_foldCase ? (m_buffer[at + i] | 0x20) == (needle[i] | 0x20)
                               : m_buffer[at + i] == needle[i];
        if (!equal) continue;
        if (m_anyFollower) return true;
        std::size_t next = at + needle.size();
        while (next < m_buffer.size() && source_text::IsBlank(m_buffer[next])) ++next;
        if (next < m_buffer.size() && m_follower[static_cast<unsigned char>(m_buffer[next])])
            return true;
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
        if (CountsAt(at)) {
            found = at;
            break;
        }
    m_lastFrom = from;
    m_lastFound = found;
    return found;
}

}  // namespace korvexer
