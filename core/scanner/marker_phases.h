// SPDX-License-Identifier: MIT
// MarkerPhases: where a file's statements start, followed one line at a time.
#pragma once

#include <string_view>

#include "core/scanner/statement_rules.h"

namespace korvexer {

// The phases of a file before its statements: processing begins only after the first line whose
// first word is a begin marker (when the language has any), and right after that line goes on to
// the first function-body marker line (when the begin word is not itself one). The rules must
// outlive the phases.
class MarkerPhases {
public:
    enum class Phase { SeekBegin, SeekFunction, Statements };

    explicit MarkerPhases(const StatementRules& rules);
    MarkerPhases(StatementRules&&) = delete;  // would dangle

    Phase phase() const { return m_phase; }
    bool InStatements() const { return m_phase == Phase::Statements; }

    // Follows the next line of the file (block comments blanked) while the statements have not
    // started; returns whether it was a marker line that moved the phase on. The statements start
    // with the line after the last marker line.
    bool Pass(std::string_view line);

private:
    const StatementRules& m_rules;
    Phase m_phase;
};

}  // namespace korvexer
