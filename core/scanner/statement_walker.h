// SPDX-License-Identifier: MIT
// StatementWalker and BlankBlockComments: which lines of a loaded file are statements, and the
// text of each that the extractor sees.
#pragma once

#include <cstddef>

#include "core/language/language_definition.h"
#include "core/scanner/line_look.h"
#include "core/scanner/line_model.h"
#include "core/scanner/statement_rules.h"

namespace korvexer {

// Replaces every byte of the block comments of `model` (read in its encoding) by a space, in place,
// so that lengths and columns stay. Markers are found case-sensitively, inside string literals as
// well; an unclosed comment blanks the rest of the file. Does nothing when the language has no
// block comment marker.
void BlankBlockComments(const LanguageDefinition& language, LineModel& model);

// Walks the statements of one file, given as read and in its encoding, every line in turn as the
// exact scan does: block comments blanked, the marker phases passed (MarkerPhases), then each line
// tested by the statement rules. Both references must outlive the walker.
class StatementWalker {
public:
    StatementWalker(const LanguageDefinition& language, const LineModel& model);
    StatementWalker(LanguageDefinition&&, const LineModel&) = delete;  // would dangle
    StatementWalker(const LanguageDefinition&, LineModel&&) = delete;

    // Finds the first statement at or after line `from` and fills `out` with it (its strings are
    // reused, so a caller that keeps one Statement allocates only while lines grow). Returns false
    // when the file has no further statement; `out` is then unspecified. `from` must not fall
    // below the line after the statement an earlier call found.
    bool Next(std::size_t from, Statement& out);

private:
    StatementRules m_rules;
    const LineModel& m_model;
    LineLook m_look;
    std::size_t m_next = 0;  // the next line to look at
};

}  // namespace korvexer
