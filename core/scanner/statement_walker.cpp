// SPDX-License-Identifier: MIT
// The walk over a loaded file, one LineLook per line.
#include "core/scanner/statement_walker.h"

#include "core/scanner/comment_blanker.h"

namespace korvexer {

void BlankBlockComments(const LanguageDefinition& language, LineModel& model) {
    CommentBlanker blanker(language, model.encoding);
    for (const LineSpan& span : model.lines) blanker.BlankLine(model.bytes, span);
}

StatementWalker::StatementWalker(const LanguageDefinition& language, const LineModel& model)
    : m_rules(language, model.encoding), m_model(model), m_look(m_rules, model.bytes) {}

bool StatementWalker::Next(std::size_t from, Statement& out) {
    out.comment.clear();
    // Every line is looked at, also those before `from`: the comments and the markers run on.
    for (; m_next < m_model.LineCount(); ++m_next)
        if (m_look.Look(m_model.lines[m_next], m_next, out) && m_next >= from) {
            ++m_next;
            return true;
        }
    return false;
}

}  // namespace korvexer
