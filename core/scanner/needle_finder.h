// SPDX-License-Identifier: MIT
// NeedleFinder: where in a buffer one of a few short byte strings occurs next.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/scanner/byte_scanner.h"

namespace korvexer {

// Finds the occurrences of `needles` in a buffer, in order. When `followers` is not empty, an
// occurrence counts only where the first byte after it that is not blank (as
// source_text::IsBlank says) is one of `followers`. With `foldCase`, bytes that differ only in
// bit 0x20 count as equal, which matches letters in either case and never misses an occurrence
// that a case-blind comparison of letters would find. Occurrences are checked against the bytes
// as they are when found: bytes before the last `from` may change (comments blanked), later ones
// not. The buffer must outlive the finder.
class NeedleFinder {
public:
    NeedleFinder(std::string_view buffer, std::vector<std::string> needles,
                 std::string_view followers = {}, bool foldCase = false);

    // The first counted occurrence that starts at or after `from`; npos when there is none or
    // there are no needles. Calls must not go back: `from` never falls below an earlier call's.
    std::size_t Next(std::size_t from);
    bool empty() const { return m_needles.empty(); }

private:
    // Whether a needle that counts starts at `at`.
    bool CountsAt(std::size_t at) const;

    std::string_view m_buffer;
    std::vector<std::string> m_needles;  // none of them empty
    PatternScanner m_scanner;
    bool m_anyFollower;
    bool m_foldCase;
    bool m_follower[256] = {};
    // The answer to the last call: no occurrence counts in [m_lastFrom, m_lastFound).
    std::size_t m_lastFrom = std::string::npos;
    std::size_t m_lastFound = std::string::npos;
};

}  // namespace korvexer
