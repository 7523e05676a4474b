// SPDX-License-Identifier: MIT
// StatementRules: whether one line is a marker line or a statement, and the statement's text.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "core/language/language_definition.h"
#include "core/language/word_list.h"
#include "core/platform/text_encoding.h"

namespace korvexer {

// The user marker that keeps a line from ever being listed.
inline constexpr std::string_view kUserMarker = "can't be replaced";

// One statement: one line of the file.
struct Statement {
    std::size_t line = 0;    // line index, 0-based
    std::size_t column = 0;  // bytes of the line before the first byte of `text`
    std::string text;     // trimmed, without comment and final terminator, tabs turned into spaces
    std::string comment;  // the line's one-line comment without its marker; "" when it has none
    // The line as the file holds it, block comments not blanked; it lives as long as the scan's
    // bytes. Columns count in it as in `text`.
    std::string_view unblanked;
};

// The word lists of a language that lines are tested against, split once.
struct StatementWords {
    explicit StatementWords(const LanguageDefinition& language);

    WordList beginMarks;
    WordList functionMarks;
    WordList declarations;
};

// The rules that look at one line at a time (its block comments already blanked): begin and
// function markers, declarations, the user marker, one-line comments and the terminator rule.
// Lines are read in `encoding`. The language must outlive the rules.
class StatementRules {
public:
    StatementRules(const LanguageDefinition& language, TextEncoding encoding);
    StatementRules(LanguageDefinition&&, TextEncoding) = delete;  // would dangle

    // Whether `line`, trimmed, is not empty and its first word is in `list`.
    bool IsMarkerLine(std::string_view line, const WordList& list) const;
    // Whether `line` (line `index` of its file, block comments blanked) is a statement; fills
    // `out` when it is (its strings are reused, so a caller that keeps one Statement allocates
    // only while lines grow). `unblanked` is the same line as the file holds it.
    bool TakeLine(std::size_t index, std::string_view line, std::string_view unblanked,
                  Statement& out) const;

    const LanguageDefinition& language() const { return m_language; }
    const StatementWords& words() const { return m_words; }
    TextEncoding encoding() const { return m_encoding; }

private:
    const LanguageDefinition& m_language;
    TextEncoding m_encoding;
    StatementWords m_words;
};

}  // namespace korvexer
