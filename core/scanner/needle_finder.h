// SPDX-License-Identifier: MIT
// NeedleFinder: where in a buffer one of a few short byte strings occurs next.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/scanner/byte_scanner.h"

namespace korvexer {

// One byte string to look for. When `followers` or `followerWords` is not empty, an occurrence
// counts only where what follows it past blanks (as source_text::IsBlank says) starts with one of
// the bytes or one of the words, the words in either case. With `foldCase`, bytes that differ only
// in bit 0x20 count as equal, which matches letters in either case and never misses an occurrence
// that a case-blind comparison of letters would find; the words are compared so too.
struct Needle {
    Needle(std::string bytes, std::string followerBytes = {}, bool anyCase = false,
           std::vector<std::string> words = {})
        : text(std::move(bytes)),
          followers(std::move(followerBytes)),
          followerWords(std::move(words)),
          foldCase(anyCase) {}

    std::string text;
    std::string followers;
    std::vector<std::string> followerWords;
    bool foldCase;
};

// Whether one of `needles` counts at `at` of `buffer`: its text stands there and, where it asks
// for followers, one of them (a byte or a word) follows past blanks.
bool NeedleCountsAt(std::string_view buffer, const std::vector<Needle>& needles, std::size_t at);

// Finds the occurrences of a few needles in a buffer, in order, in one pass for all of them.
// Occurrences are checked against the bytes as they are when found: bytes before the last
// `from` may change (comments blanked), later ones not. The buffer must outlive the finder.
class NeedleFinder {
public:
    NeedleFinder(std::string_view buffer, std::vector<Needle> needles);

    // The first counted occurrence that starts at or after `from`; npos when there is none or
    // there are no needles. Calls must not go back: `from` never falls below an earlier call's.
    std::size_t Next(std::size_t from);
    bool empty() const { return m_needles.empty(); }

private:
    std::string_view m_buffer;
    std::vector<Needle> m_needles;  // none of them empty
    PatternScanner m_scanner;
    // The answer to the last call: no occurrence counts in [m_lastFrom, m_lastFound).
    std::size_t m_lastFrom = std::string::npos;
    std::size_t m_lastFound = std::string::npos;
};

}  // namespace korvexer
