// SPDX-License-Identifier: MIT
// The walk over a loaded file: block comments blanked for the whole file, the markers passed,
// then each line tested by the statement rules.
#include "core/scanner/statement_walker.h"

#include "core/scanner/comment_blanker.h"
#include "core/scanner/source_text.h"

namespace korvexer {

namespace st = source_text;

void BlankBlockComments(const LanguageDefinition& language, LineModel& model) {
    CommentBlanker blanker(language);
    for (const LineSpan& span : model.lines) blanker.BlankLine(model.bytes, span);
}

StatementWalker::StatementWalker(const LanguageDefinition& language, const LineModel& model)
    : m_rules(language), m_model(model), m_blanked(model) {
    BlankBlockComments(language, m_blanked);
}

std::size_t StatementWalker::FindMarkerLine(std::size_t from, const WordList& list) const {
    for (std::size_t j = from; j < m_model.LineCount(); ++j)
        if (m_rules.IsMarkerLine(m_blanked.Line(j), list)) return j;
    return st::npos;
}

std::size_t StatementWalker::Start(std::size_t from) {
    const std::size_t count = m_model.LineCount();
    std::size_t i = from;
    if (i >= count) return st::npos;

    std::string_view beginWord;
    if (!m_started && !m_rules.language().begindealmark.empty()) {
        std::size_t marker = FindMarkerLine(i, m_rules.words().beginMarks);
        if (marker == st::npos) return st::npos;
        i = marker + 1;
        beginWord = st::FirstWord(st::Trim(m_blanked.Line(marker)));
    }
    if (i >= count) return st::npos;
    m_started = true;

    if (!m_rules.language().functionbegin.empty() && !beginWord.empty() &&
        !m_rules.words().functionMarks.Has(beginWord)) {
        std::size_t marker = FindMarkerLine(i, m_rules.words().functionMarks);
        if (marker == st::npos) return st::npos;
        i = marker + 1;
    }
    return i;
}

bool StatementWalker::Next(std::size_t from, Statement& out) {
    out.comment.clear();
    const std::size_t start = Start(from);
    if (start == st::npos) return false;
    for (std::size_t j = start; j < m_model.LineCount(); ++j)
        if (TakeLine(j, out)) return true;
    return false;
}

bool StatementWalker::TakeLine(std::size_t index, Statement& out) const {
    return m_rules.TakeLine(index, m_blanked.Line(index), m_model.Line(index), out);
}

}  // namespace korvexer
