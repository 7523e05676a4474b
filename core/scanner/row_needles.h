// SPDX-License-Identifier: MIT
// Needle and RowNeedles: the short byte strings that a line must hold to matter to a scan, which
// the plain walk looks for instead of reading every line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// What every statement that yields a row holds, for a scan that passes over other lines unread.
struct RowNeedles {
    bool none = false;            // no statement can yield a row
    std::vector<Needle> needles;  // each such statement holds one of them; empty: no clue
};

// Whether one of `needles` counts at `at` of `buffer`: its text stands there and, where it asks
// for followers, one of them (a byte or a word) follows past blanks.
bool NeedleCountsAt(std::string_view buffer, const std::vector<Needle>& needles, std::size_t at);

// The needles of a word list's words, each found in either case: what a marker line holds.
std::vector<Needle> NeedlesOfWords(const std::vector<std::string>& words);

}  // namespace korvexer
