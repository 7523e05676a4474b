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

// A needle that asks for a follower counts before a block comment too: blanked, the comment may
// leave a follower next to it.
RowNeedles WithCommentFollower(RowNeedles clue, const std::string& commentBegin) {
    if (commentBegin.empty()) return clue;
    for (Needle& needle : clue.needles)
        if (!needle.followers.empty()) needle.followers += commentBegin[0];
    return clue;
}

// Whether the comments of `bytes` stand where a search of the whole buffer finds them: the split
// is plain and neither marker holds a byte of the break, so no marker runs over a line's end.
bool CommentsFoundAcrossLines(std::string_view bytes, const LanguageDefinition& language) {
    const std::string& begin = language.multilinenote_begin;
    const std::string& end = language.multilinenote_end;
    const LineBreak lineBreak = language.carryreturn;
    auto holdsBreak = [&](const std::string& marker) {
        return marker.find(static_cast<char>(lineBreak.first)) != std::string::npos ||
               (lineBreak.second != 0 &&
                marker.find(static_cast<char>(lineBreak.second)) != std::string::npos);
    };
    return !begin.empty() && !end.empty() && !holdsBreak(begin) && !holdsBreak(end) &&
           SplitsOnlyAtBreaks(bytes, lineBreak);
}

// A block comment that was passed over: from its begin marker to past its end marker.
struct PassedComment {
    std::size_t from = st::npos;
    std::size_t to = st::npos;

    // Whether a line that starts at `lineStart` starts inside the comment.
    bool Holds(std::size_t lineStart) const {
        return from != st::npos && from < lineStart && lineStart < to;
    }
};

}  // namespace

BufferScan::BufferScan(const StatementRules& rules, const StatementExtractor& extractor,
                       ScanMode mode)
    : m_rules(rules),
      m_extractor(extractor),
      m_mode(mode),
      m_clue(WithCommentFollower(extractor.NeedlesOfRows(mode),
                                 rules.language().multilinenote_begin)) {}

void BufferScan::Run(std::string_view bytes, RowList& rows, const std::string& path,
                     std::uint32_t& counter) const {
    if (m_clue.none) return;
    const LanguageDefinition& language = m_rules.language();
    const StatementWords& words = m_rules.words();
    LineStepper lines(bytes, language.carryreturn);
    CommentBlanker comments(language);
    const std::string& commentBegin = language.multilinenote_begin;
    const std::string& commentEnd = language.multilinenote_end;
    const bool hasComments = !commentBegin.empty();
    // A marker line's first word is one of the list's words in any case.
    auto wordsOf = [](const WordList& list) {
        std::vector<Needle> needles;
        for (const std::string& word : list.words()) needles.push_back({word, "", true});
        return needles;
    };
    // Each stretch of the walk looks for its own needles: the lines that hold one are looked at.
    NeedleFinder beginEvents(bytes, wordsOf(words.beginMarks));
    NeedleFinder functionEvents(bytes, wordsOf(words.functionMarks));
    NeedleFinder statementEvents(bytes, m_clue.needles);
    const bool everyStatementLine = m_clue.needles.empty();
    NeedleFinder commentBegins(bytes, {{hasComments ? commentBegin : std::string()}});
    NeedleFinder commentEnds(bytes, {{commentEnd}});
    // Where the comments stand where a search of the buffer finds them, those that come before
    // the next needle are passed over with their lines; elsewhere a line that opens one is
    // looked at, for the blanker to follow the comment line by line.
    const bool passComments = hasComments && CommentsFoundAcrossLines(bytes, language);
    PassedComment lastMultiLine;  // the last comment passed over that runs over a line's end

    Phase phase = language.begindealmark.empty() ? Phase::Statements : Phase::SeekBegin;
    Statement statement;
    // A line with a block comment in it is blanked in a copy: the file's own bytes stay as they
    // are, for the extractor to check values against.
    std::string blanked;
    std::size_t done = 0;  // where the last line handed over ends
    std::size_t from = 0;  // where the search for the next line to look at goes on
    for (LineSpan span;;) {
        // Lines inside a comment are blank: the walk goes on at the comment's end. Elsewhere a
        // line needs a look only where it holds a marker word (before the statements start) or
        // a row needle (after), outside the comments.
        if (comments.inside()) {
            const std::size_t target = commentEnds.Next(done);
            if (target == st::npos) return;
            lines.SkipTo(target);
        } else if (phase != Phase::Statements || !everyStatementLine) {
            NeedleFinder& events = phase == Phase::SeekBegin      ? beginEvents
                                   : phase == Phase::SeekFunction ? functionEvents
                                                                  : statementEvents;
            std::size_t target = events.Next(from);
            if (passComments) {
                // A needle inside a comment is none: the search goes on past the comment.
                for (std::size_t open = commentBegins.Next(from); open < target;
                     open = commentBegins.Next(from)) {
                    const std::size_t close = commentEnds.Next(open + commentBegin.size());
                    if (close == st::npos) return;  // the comment runs to the end of the file
                    from = close + commentEnd.size();
                    if (std::memchr(bytes.data() + open, language.carryreturn.first, from - open))
                        lastMultiLine = {open, from};
                    target = events.Next(from);
                }
            } else if (hasComments) {
                target = std::min(target, commentBegins.Next(from));
            }
            if (target == st::npos) return;
            lines.SkipTo(target);
        }
        if (!lines.Next(span)) return;
        const std::size_t index = lines.NextIndex() - 1;
        done = std::size_t{span.offset} + span.length;
        from = std::max(from, done);
        const std::string_view unblanked = bytes.substr(span.offset, span.length);
        std::string_view line = unblanked;
        // A line outside a comment without the marker's first byte has nothing to blank.
        const bool insideAtStart = comments.inside() || lastMultiLine.Holds(span.offset);
        if (hasComments && (insideAtStart || std::memchr(unblanked.data(), commentBegin[0],
                                                         unblanked.size()) != nullptr)) {
            blanked.assign(unblanked);
            comments.SetInside(insideAtStart);
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
