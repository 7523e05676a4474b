// SPDX-License-Identifier: MIT
// The marker phases as a small state machine.
#include "core/scanner/marker_phases.h"

#include "core/scanner/source_text.h"

namespace korvexer {

namespace st = source_text;

MarkerPhases::MarkerPhases(const StatementRules& rules)
    : m_rules(rules),
      m_phase(rules.language().begindealmark.empty() ? Phase::Statements : Phase::SeekBegin) {}

bool MarkerPhases::Pass(std::string_view line) {
    const StatementWords& words = m_rules.words();
    switch (m_phase) {
        case Phase::SeekBegin: {
            if (!m_rules.IsMarkerLine(line, words.beginMarks)) return false;
            // Past a begin marker that is not a function marker itself, the statements start
            // after the next function marker.
            const std::string_view beginWord = st::FirstWord(st::Trim(line));
            const bool seekFunction = !m_rules.language().functionbegin.empty() &&
                                      !beginWord.empty() && !words.functionMarks.Has(beginWord);
            m_phase = seekFunction ? Phase::SeekFunction : Phase::Statements;
            return true;
        }
        case Phase::SeekFunction:
            if (!m_rules.IsMarkerLine(line, words.functionMarks)) return false;
            m_phase = Phase::Statements;
            return true;
        default:
            return false;
    }
}

}  // namespace korvexer
