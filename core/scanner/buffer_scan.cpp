// SPDX-License-Identifier: MIT
// The one-pass scan of a file's bytes: markers, comments and candidate lines as events.
#include "core/scanner/buffer_scan.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "core/scanner/comment_blanker.h"
#include "core/scanner/line_stepper.h"
#include "core/scanner/needle_finder.h"
#include "core/scanner/plain_walk.h"
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

// A marker line's first word is one of the list's words in any case.
std::vector<Needle> NeedlesOfWords(const WordList& list) {
    std::vector<Needle> needles;
    for (const std::string& word : list.words()) needles.push_back({word, "", true});
    return needles;
}

// Whether no comment marker or needle holds a break byte, so that none runs over a line's end:
// what a plain walk asks of the language, besides what PlainWalkFits asks of the bytes.
bool NoMarkerHoldsABreak(const LanguageDefinition& language,
                         std::initializer_list<const std::vector<Needle>*> needleLists) {
    const LineBreak lineBreak = language.carryreturn;
    auto holdsBreak = [&](const std::string& text) {
        return text.find(static_cast<char>(lineBreak.first)) != std::string::npos ||
               (lineBreak.second != 0 &&
                text.find(static_cast<char>(lineBreak.second)) != std::string::npos);
    };
    const std::string& begin = language.multilinenote_begin;
    const std::string& end = language.multilinenote_end;
    if (begin.empty() != end.empty() || holdsBreak(begin) || holdsBreak(end)) return false;
    for (const std::vector<Needle>* needles : needleLists)
        for (const Needle& needle : *needles)
            if (holdsBreak(needle.text)) return false;
    return true;
}

}  // namespace

// What both walks do with a line they look at: blank its comments in a copy and follow the
// stretches, then hand its statement to the extractor.
class BufferScan::LineLook {
public:
    LineLook(const BufferScan& scan, std::string_view bytes, RowList& rows, const std::string& path,
             std::uint32_t& counter)
        : m_scan(scan),
          m_language(scan.m_rules.language()),
          m_bytes(bytes),
          m_rows(rows),
          m_path(path),
          m_counter(counter),
          m_comments(m_language),
          m_phase(m_language.begindealmark.empty() ? Phase::Statements : Phase::SeekBegin) {}

    Phase phase() const { return m_phase; }
    // Whether a comment runs on past the last line looked at.
    bool inside() const { return m_comments.inside(); }

    // Looks at the line `span`, the line model's line `index`, which starts inside a block
    // comment when `insideAtStart`.
    void Look(const LineSpan& span, std::size_t index, bool insideAtStart) {
        const StatementRules& rules = m_scan.m_rules;
        const StatementWords& words = rules.words();
        const std::string_view unblanked = m_bytes.substr(span.offset, span.length);
        std::string_view line = unblanked;
        // A line outside a comment without the marker's first byte has nothing to blank. The
        // copy keeps the file's own bytes as they are, for the extractor to check values against.
        const std::string& begin = m_language.multilinenote_begin;
        if (!begin.empty() && (insideAtStart || std::memchr(unblanked.data(), begin[0],
                                                            unblanked.size()) != nullptr)) {
            std::string& blanked = m_scan.m_scratch.blanked;
            blanked.assign(unblanked);
            m_comments.SetInside(insideAtStart);
            m_comments.BlankLine(blanked, {0, span.length, span.end});
            line = blanked;
        } else {
            m_comments.SetInside(false);
        }

        switch (m_phase) {
            case Phase::SeekBegin:
                if (rules.IsMarkerLine(line, words.beginMarks)) {
                    // Past a begin marker that is not a function marker itself, the statements
                    // start after the next function marker.
                    const std::string_view beginWord = st::FirstWord(st::Trim(line));
                    const bool seekFunction = !m_language.functionbegin.empty() &&
                                              !beginWord.empty() &&
                                              !words.functionMarks.Has(beginWord);
                    m_phase = seekFunction ? Phase::SeekFunction : Phase::Statements;
                }
                break;
            case Phase::SeekFunction:
                if (rules.IsMarkerLine(line, words.functionMarks)) m_phase = Phase::Statements;
                break;
            case Phase::Statements:
                if (Statement& statement = m_scan.m_scratch.statement;
                    rules.TakeLine(index, line, unblanked, statement))
                    m_scan.m_extractor.Extract(m_rows, statement, m_path, m_counter, m_scan.m_mode);
                break;
        }
    }

private:
    const BufferScan& m_scan;
    const LanguageDefinition& m_language;
    std::string_view m_bytes;
    RowList& m_rows;
    const std::string& m_path;
    std::uint32_t& m_counter;
    CommentBlanker m_comments;
    Phase m_phase;
};

BufferScan::BufferScan(const StatementRules& rules, const StatementExtractor& extractor,
                       ScanMode mode)
    : m_rules(rules),
      m_extractor(extractor),
      m_mode(mode),
      m_clue(
          WithCommentFollower(extractor.NeedlesOfRows(mode), rules.language().multilinenote_begin)),
      m_beginWords(NeedlesOfWords(rules.words().beginMarks)),
      m_functionWords(NeedlesOfWords(rules.words().functionMarks)),
      m_mayWalkPlainly(!m_clue.needles.empty() &&
                       NoMarkerHoldsABreak(rules.language(),
                                           {&m_beginWords, &m_functionWords, &m_clue.needles})) {}

BufferScan::~BufferScan() = default;

void BufferScan::Run(std::string_view bytes, RowList& rows, const std::string& path,
                     std::uint32_t& counter) const {
    if (m_clue.none) return;
    LineLook look(*this, bytes, rows, path, counter);
    // Where every statement line is looked at, or the bytes do not fit a plain walk, the lines
    // are taken one by one.
    const LanguageDefinition& language = m_rules.language();
    if (m_mayWalkPlainly && PlainWalkFits(bytes, language.carryreturn, language.multilinenote_begin,
                                          language.multilinenote_end))
        WalkPlainly(bytes, look);
    else
        WalkLineByLine(bytes, look);
}

const std::vector<Needle>& BufferScan::NeedlesOf(const LineLook& look) const {
    switch (look.phase()) {
        case Phase::SeekBegin:
            return m_beginWords;
        case Phase::SeekFunction:
            return m_functionWords;
        default:
            return m_clue.needles;
    }
}

void BufferScan::WalkPlainly(std::string_view bytes, LineLook& look) const {
    const LanguageDefinition& language = m_rules.language();
    PlainWalk walk(bytes, language.carryreturn, language.multilinenote_begin,
                   language.multilinenote_end);
    const std::vector<Needle>* needles = &NeedlesOf(look);
    walk.LookFor(*needles);
    // Only the lines that hold a needle outside the comments are looked at.
    for (std::size_t from = 0;;) {
        const std::size_t target = walk.NextNeedle(from);
        if (target == st::npos) return;
        const PlainWalk::Line line = walk.LineAt(target);
        look.Look(line.span, line.index, line.startsInComment);
        from = std::size_t{line.span.offset} + line.span.length;
        if (const std::vector<Needle>* now = &NeedlesOf(look); now != needles) {
            needles = now;
            walk.LookFor(*needles);
        }
    }
}

void BufferScan::WalkLineByLine(std::string_view bytes, LineLook& look) const {
    const LanguageDefinition& language = m_rules.language();
    LineStepper lines(bytes, language.carryreturn);
    const bool hasComments = !language.multilinenote_begin.empty();
    // Each stretch of the walk looks for its own needles, with the comment marker among them:
    // a line that opens a comment is looked at, for the blanker to follow the comment.
    auto withCommentBegin = [&](std::vector<Needle> needles) {
        if (hasComments) needles.push_back({language.multilinenote_begin});
        return NeedleFinder(bytes, std::move(needles));
    };
    NeedleFinder beginEvents = withCommentBegin(m_beginWords);
    NeedleFinder functionEvents = withCommentBegin(m_functionWords);
    NeedleFinder statementEvents = withCommentBegin(m_clue.needles);
    NeedleFinder commentEnds(bytes, {{language.multilinenote_end}});
    const bool everyStatementLine = m_clue.needles.empty();

    std::size_t done = 0;  // where the last line looked at ends
    for (LineSpan span;;) {
        // Lines inside a comment are blank: the walk goes on at the comment's end. Elsewhere a
        // line needs a look only where it holds a comment marker, a marker word (before the
        // statements start) or a row needle (after).
        const Phase phase = look.phase();
        if (look.inside()) {
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
        done = std::size_t{span.offset} + span.length;
        look.Look(span, lines.NextIndex() - 1, look.inside());
    }
}

}  // namespace korvexer
