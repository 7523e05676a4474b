// SPDX-License-Identifier: MIT
// CandidateLines: the lines of a loaded file that hold one of a few byte strings, found by
// searching the whole buffer instead of each line.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/scanner/byte_scanner.h"
#include "core/scanner/line_model.h"

namespace korvexer {

// Walks forward through the lines of `model` that may hold one of `needles`. When `followers` is
// not empty, an occurrence counts only where the first byte after it that is not blank (as
// source_text::IsBlank says) is one of `followers`. Every line that holds a counted occurrence is
// found; a line that only holds part of one (where a cut line splits it) may be found too. With
// no needles every line is a candidate. The model must outlive the finder and stay unchanged.
class CandidateLines {
public:
    CandidateLines(const LineModel& model, std::vector<std::string> needles,
                   std::string followers = {});

    // The first candidate line at or after `line`; LineCount() when there is none. Calls must
    // not go back: `line` never falls below an earlier call's.
    std::size_t NextFrom(std::size_t line);

private:
    // The next occurrence of `needle` at or after `from`; npos when none.
    std::size_t FindNeedle(std::size_t k, std::size_t from);

    const LineModel& m_model;
    std::vector<std::string> m_needles;  // none of them empty
    bool m_anyFollower;
    bool m_follower[256] = {};
    std::vector<ByteScanner> m_firstBytes;  // one for each needle's first byte
    // Where each needle next occurs at or after the last search position, npos when nowhere; a
    // needle is searched again only once the walk has passed its occurrence.
    std::vector<std::size_t> m_next;
    std::vector<bool> m_searched;
};

}  // namespace korvexer
