// SPDX-License-Identifier: MIT
// CandidateLines: the lines of a loaded file that hold one of a few byte strings, found by
// searching the whole buffer instead of each line.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/scanner/line_model.h"

namespace korvexer {

// Walks forward through the lines of `model` that may hold one of `needles`. Every line that holds
// one is found; a line that only holds part of one (where a cut line splits it) may be found too.
// With no needles every line is a candidate. The model must outlive the finder and stay unchanged.
class CandidateLines {
public:
    CandidateLines(const LineModel& model, std::vector<std::string> needles);

    // The first candidate line at or after `line`; LineCount() when there is none. Calls must
    // not go back: `line` never falls below an earlier call's.
    std::size_t NextFrom(std::size_t line);

private:
    const LineModel& m_model;
    std::vector<std::string> m_needles;  // none of them empty
    // Where each needle next occurs at or after the last search position, npos when nowhere; a
    // needle is searched again only once the walk has passed its occurrence.
    std::vector<std::size_t> m_next;
    std::vector<bool> m_searched;
};

}  // namespace korvexer
