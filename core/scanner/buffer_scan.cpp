// SPDX-License-Identifier: MIT
// The one-pass scan of a file's bytes: markers, comments and candidate lines as events.
#include "core/scanner/buffer_scan.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

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

void BufferScan::Run(std::string_view bytes, RowList& rows, const std::string& path,
                     std::uint32_t& counter) const {
    if (m_clue.none) return;
    const LanguageDefinition& language = m_rules.language();
    const StatementWords& words = m_rules.words();
    LineStepper lines(bytes, language.carryreturn);
    CommentBlanker comments(language);
    const bool hasComments = !language.multilinenote_begin.empty();
    // Each stretch of the walk looks for its own needles, with the comment marker among them.
    std::vector<Needle> commentBegin;
    if (hasComments) commentBegin.push_back({language.multilinenote_begin});
    auto withCommentBegin = [&](std::vector<Needle> needles) {
        needles.insert(needles.end(), commentBegin.begin(), commentBegin.end());
        return NeedleFinder(bytes, std::move(needles));
    };
    // A marker line's first word is one of the list's words in any case.
    auto wordsOf = [](const WordList& list) {
        std::vector<Needle> needles;
        for (const std::string& word : list.words()) needles.push_back({word, "", true});
        return needles;
    };
    NeedleFinder beginEvents = withCommentBegin(wordsOf(words.beginMarks));
    NeedleFinder functionEvents = withCommentBegin(wordsOf(words.functionMarks));
    NeedleFinder statementEvents = withCommentBegin(m_clue.needles);
    NeedleFinder commentEnds(bytes, {{language.multilinenote_end}});
    const bool everyStatementLine = m_clue.needles.empty();

    Phase phase = language.begindealmark.empty() ? Phase::Statements : Phase::SeekBegin;
    Statement statement;
    // A line with a block comment in it is blanked in a copy: the file's own bytes stay as they
    // are, for the extractor to check values against.
    std::string blanked;
    std::size_t done = 0;  // where the last line handed over ends
    for (LineSpan span;;) {
        // Lines inside a comment are blank: the walk goes on at the comment's end. Elsewhere a
        // line needs a look only where it holds a comment marker, a marker word (before the
        // statements start) or a row needle (after).
        if (comments.inside()) {
            const std::size_t target = commentEnds.Next(done);
            if (target == st::npos) return;
            lines.SkipTo(target);
        } else if (phase != Phase::Statements || !everyStatementLine) {
            NeedleFinder& events = phase == Phase::SeekBegin      ? beginEvents
                                   : phase == Phase::SeekFunction ? functionEvents
                                                                  : statementEvents;
            const std::size_t target = events.Next(done);
            if (target == st::npos) return;
            lines.SkipTo(target);
        }
        if (!lines.Next(span)) return;
        const std::size_t index = lines.NextIndex() - 1;
        done = std::size_t{span.offset} + span.length;
        const std::string_view unblanked = bytes.substr(span.offset, span.length);
        std::string_view line = unblanked;
        // Outside a comment, a line without the marker's first byte has nothing to blank.
        if (hasComments &&
            (comments.inside() ||
             std::memchr(unblanked.data(), language.multilinenote_begin[0], unblanked.size()))) {
            blanked.assign(unblanked);
            comments.BlankLine(blanked, {0, span.length, span.end});
            line = blanked;
        }

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
                if (m_rules.TakeLine(index, line, unblanked, statement))
                    m_extractor.Extract(rows, statement, path, counter, m_mode);
                break;
        }
    }
}

}  // namespace korvexer
