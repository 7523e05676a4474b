// SPDX-License-Identifier: MIT
// StatementWalker and BlankBlockComments: which lines of a loaded file are statements, and the
// text of each that the extractor sees.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "core/language/language_definition.h"
#include "core/language/word_list.h"
#include "core/scanner/line_model.h"

namespace korvexer {

// The user marker that keeps a line from ever being listed.
inline constexpr std::string_view kUserMarker = "can't be replaced";

// One statement: one line of the file.
struct Statement {
    std::size_t line = 0;    // line index, 0-based
    std::size_t column = 0;  // bytes of the line before the first byte of `text`
    std::string text;     // trimmed, without comment and final terminator, tabs turned into spaces
    std::string comment;  // the line's one-line comment without its marker; "" when it has none
};

// Replaces every byte of the block comments of `model` by a space, in place, so that lengths
// and columns stay. Markers are found case-sensitively, inside string literals as well; an
// unclosed comment blanks the rest of the file. Does nothing when the language has no block
// comment marker.
void BlankBlockComments(const LanguageDefinition& language, LineModel& model);

// The word lists of a language that the walker tests lines against, split once for many files.
struct StatementWords {
    explicit StatementWords(const LanguageDefinition& language);

    WordList beginMarks;
    WordList functionMarks;
    WordList declarations;
};

// Walks the statements of one file. The walker holds the file's start state: processing begins
// only after the first line whose first word is a begin marker (when the language has any), and
// right after that line skips to the first function-body marker line (when the begin word is not
// itself one). Both references must outlive the walker.
class StatementWalker {
public:
    StatementWalker(const LanguageDefinition& language, const LineModel& model);
    StatementWalker(LanguageDefinition&&, const LineModel&) = delete;  // would dangle
    StatementWalker(const LanguageDefinition&, LineModel&&) = delete;
    // With the language's word lists split beforehand; `words` must outlive the walker too.
    StatementWalker(const LanguageDefinition& language, const StatementWords& words,
                    const LineModel& model);

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

    const LanguageDefinition& m_language;
    const LineModel& m_model;
    std::unique_ptr<const StatementWords> m_ownWords;  // when the walker split the lists itself
    const StatementWords& m_words;
    bool m_started = false;
};

}  // namespace korvexer
