// SPDX-License-Identifier: MIT
// The one-pass scan of a file's bytes: markers, comments and candidate lines as events.
#include "core/scanner/buffer_scan.h"

#include <algorithm>
#include <string_view>

#include "core/scanner/comment_blanker.h"
#include "core/scanner/line_stepper.h"
#include "core/scanner/needle_finder.h"
#include "core/scanner/source_text.h"

namespace korvexer {

namespace st = source_text;

namespace {

enum class Phase { SeekBegin, SeekFunction, Statements };

}  // namespace

BufferScan::BufferScan(const StatementRules& rules, const StatementExtractor& extractor,
                       ScanMode mode)
    : m_rules(rules), m_extractor(extractor), m_mode(mode), m_clue(extractor.NeedlesOfRows(mode)) {}

void BufferScan::Run(std::string& bytes, RowList& rows, const std::string& path,
                     std::uint32_t& counter) const {
    if (m_clue.none) return;
    const LanguageDefinition& language = m_rules.language();
    const StatementWords& words = m_rules.words();
    LineStepper lines(bytes, language.carryreturn);
    CommentBlanker comments(language);
    const bool hasComments = !language.multilinenote_begin.empty();
    NeedleFinder commentBegins(bytes, {language.multilinenote_begin});
    NeedleFinder commentEnds(bytes, {language.multilinenote_end});
    NeedleFinder rowNeedles(bytes, m_clue.needles, m_clue.followers);
    // A marker line's first word is one of the list's words in any case.
    NeedleFinder beginWords(bytes, words.beginMarks.words(), {}, true);
    NeedleFinder functionWords(bytes, words.functionMarks.words(), {}, true);

    Phase phase = language.begindealmark.empty() ? Phase::Statements : Phase::SeekBegin;
    Statement statement;
    std::size_t done = 0;  // where the last line handed over ends
    for (LineSpan span;;) {
        // Lines inside a comment are blank: the walk goes on at the comment's end. Elsewhere a
        // line needs a look only where it holds a comment marker, a marker word (before the
        // statements start) or a row needle (after).
        if (comments.inside()) {
            const std::size_t target = commentEnds.Next(done);
            if (target == st::npos) return;
            lines.SkipTo(target);
        } else if (phase != Phase::Statements || !rowNeedles.empty()) {
            NeedleFinder& events = phase == Phase::SeekBegin      ? beginWords
                                   : phase == Phase::SeekFunction ? functionWords
                                                                  : rowNeedles;
            std::size_t target = events.Next(done);
            if (hasComments) target = std::min(target, commentBegins.Next(done));
            if (target == st::npos) return;
            lines.SkipTo(target);
        }
        if (!lines.Next(span)) return;
        const std::size_t index = lines.NextIndex() - 1;
        done = std::size_t{span.offset} + span.length;
        if (hasComments && (comments.inside() || commentBegins.Next(span.offset) < done))
            comments.BlankLine(bytes, span);

        const std::string_view line = std::string_view(bytes).substr(span.offset, span.length);
        switch (phase) {
            case Phase::SeekBegin:
                if (m_rules.IsMarkerLine(line, words.beginMarks)) {
                    // Past a begin marker that is not a function marker itself, the statements
                    // start after the next function marker.
                    const std::string_view beginWord = st::FirstWord(st::Trim(line));
                    const bool seekFunction = !language.functionbegin.empty() &&
                                              !beginWord.empty() &&
                                              !words.functionMarks.Has(beginWord);
                    phase = seekFunction ? Phase::SeekFunction : Phase::Statements;
                }
                break;
            case Phase::SeekFunction:
                if (m_rules.IsMarkerLine(line, words.functionMarks)) phase = Phase::Statements;
                break;
            case Phase::Statements:
                if (m_rules.TakeLine(index, line, statement))
                    m_extractor.Extract(rows, statement, path, counter, m_mode);
                break;
        }
    }
}

}  // namespace korvexer
