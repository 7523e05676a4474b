// SPDX-License-Identifier: MIT
// StatementWalker and BlankBlockComments: which lines of a loaded file are statements, and the
// text of each that the extractor sees.
#pragma once

#include <cstddef>
#include <string>

#include "core/language/language_definition.h"
#include "core/language/word_list.h"
#include "core/scanner/line_model.h"
#include "core/scanner/statement_rules.h"

namespace korvexer {

// Replaces every byte of the block comments of `model` by a space, in place, so that lengths
// and columns stay. Markers are found case-sensitively, inside string literals as well; an
// unclosed comment blanks the rest of the file. Does nothing when the language has no block
// comment marker.
void BlankBlockComments(const LanguageDefinition& language, LineModel& model);

// Walks the statements of one file, given as read; the walker blanks the block comments of its own
// copy. It holds the file's start state: processing begins only after the first line whose first
// word is a begin marker (when the language has any), and right after that line skips to the
// first function-body marker line (when the begin word is not itself one). Both references must
// outlive the walker.
class StatementWalker {
public:
    StatementWalker(const LanguageDefinition& language, const LineModel& model);
    StatementWalker(LanguageDefinition&&, const LineModel&) = delete;  // would dangle
    StatementWalker(const LanguageDefinition&, LineModel&&) = delete;

    // Finds the first statement at or after line `from` and fills `out` with it (its strings are
    // reused, so a caller that keeps one Statement allocates only while lines grow). Returns false
    // when the file has no further statement; `out` is then unspecified.
    bool Next(std::size_t from, Statement& out);

    // Passes the markers (the first time; later calls return `from` itself) and returns the
    // first line at or after `from` that may hold a statement; npos when no line can. From there
    // on every line is a statement or not by itself: TakeLine tells which.
    std::size_t Start(std::size_t from);
    // Whether line `index` of a started walk is a statement; fills `out` when it is.
    bool TakeLine(std::size_t index, Statement& out) const;

    // Whether the begin markers have been passed.
    bool started() const { return m_started; }

private:
    // The first line at or after `from` that, trimmed, is not empty and whose first word is in
    // `list`; npos when none.
    std::size_t FindMarkerLine(std::size_t from, const WordList& list) const;

    StatementRules m_rules;
    const LineModel& m_model;  // as read
    LineModel m_blanked;       // the same lines, block comments blanked
    bool m_started = false;
};

}  // namespace korvexer
