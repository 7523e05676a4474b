// SPDX-License-Identifier: MIT
// The scan of one file's bytes: the choice of the walk, and the two walks.
#include "core/scanner/buffer_scan.h"

#include <cassert>

#include "core/scanner/line_look.h"

namespace korvexer {

namespace {

using Phase = MarkerPhases::Phase;

// A needle that asks for a follower counts before a block comment too: blanked, the comment may
// leave a follower next to it.
RowNeedles WithCommentFollower(RowNeedles clue, const std::string& commentBegin) {
    if (commentBegin.empty()) return clue;
    for (Needle& needle : clue.needles)
        if (!needle.followers.empty()) needle.followers += commentBegin[0];
    return clue;
}

#ifndef NDEBUG
// Whether the line `span` of `bytes`, whose comments `blanked` shows blanked, holds one of
// `needles` outside its comments: what the plain walk finds in every line that matters.
bool HoldsNeedle(std::string_view bytes, const LineSpan& span, std::string_view blanked,
                 const std::vector<Needle>& needles) {
    for (std::size_t p = 0; p < span.length; ++p)
        if (blanked[p] == bytes[span.offset + p] && NeedleCountsAt(bytes, needles, span.offset + p))
            return true;
    return false;
}
#endif

}  // namespace

// Where the rows of one file go.
struct BufferScan::Target {
    std::string_view bytes;
    BreakRule rule;
    RowList& rows;
    const std::string& path;
    std::uint32_t& counter;
    LineLook look;
};

BufferScan::BufferScan(const StatementRules& rules, const StatementExtractor& extractor,
                       ScanMode mode, ScanWalk walk, block_kernels::InstructionSet set)
    : m_rules(rules),
      m_extractor(extractor),
      m_mode(mode),
      m_walk(walk),
      m_set(set),
      m_clue(
          WithCommentFollower(extractor.NeedlesOfRows(mode), rules.language().multilinenote_begin)),
      m_beginWords(NeedlesOfWords(rules.words().beginMarks.words())),
      m_functionWords(NeedlesOfWords(rules.words().functionMarks.words())),
      m_plainCheck(rules.language().carryreturn, rules.language().multilinenote_begin,
                   rules.language().multilinenote_end, m_clue.needles,
                   {&m_beginWords, &m_functionWords}) {}

BufferScan::~BufferScan() = default;

bool BufferScan::WalksPlainly(std::string_view bytes) const {
    return WalksPlainly(bytes, BreakRuleFor(m_rules.language().carryreturn, bytes));
}

bool BufferScan::WalksPlainly(std::string_view bytes, const BreakRule& rule) const {
    return m_walk == ScanWalk::Fastest && m_plainCheck.Fits(bytes, rule, m_rules.encoding());
}

FileScanNotes BufferScan::Run(std::string_view bytes, RowList& rows, const std::string& path,
                              std::uint32_t& counter) const {
    FileScanNotes notes;
    const BreakRule rule = BreakRuleFor(m_rules.language().carryreturn, bytes, &notes.otherBreak);
    if (m_clue.none) return notes;
    Target target{bytes, rule, rows, path, counter, LineLook(m_rules, bytes)};
    if (WalksPlainly(bytes, rule))
        WalkPlainly(bytes, target);
    else
        WalkExactly(bytes, target);
    return notes;
}

const std::vector<Needle>& BufferScan::NeedlesOf(Phase phase) const {
    switch (phase) {
        case Phase::SeekBegin:
            return m_beginWords;
        case Phase::SeekFunction:
            return m_functionWords;
        default:
            return m_clue.needles;
    }
}

void BufferScan::Take(Target& target, const LineSpan& span, std::size_t index) const {
    [[maybe_unused]] const Phase phase = target.look.phase();
    if (!target.look.Look(span, index, m_statement)) {
        // A line that moves the phase on holds a word of its marker list, as the plain walk needs.
        assert(target.look.phase() == phase ||
               HoldsNeedle(target.bytes, span, target.look.blanked(), NeedlesOf(phase)));
        return;
    }
    [[maybe_unused]] const bool listed =
        m_extractor.Extract(target.rows, m_statement, target.path, target.counter, m_mode);
    // A line that yields a row holds a needle: else the plain walk would pass over it. Whoever lets
    // the extractor list a new form gives the bytes that start it where the extractor keeps them.
    assert(!listed || m_clue.needles.empty() ||
           HoldsNeedle(target.bytes, span, target.look.blanked(), m_clue.needles));
}

void BufferScan::WalkExactly(std::string_view bytes, Target& target) const {
    SplitLines(bytes, target.rule, m_rules.encoding(), m_lines);
    for (std::size_t index = 0; index < m_lines.size(); ++index)
        Take(target, m_lines[index], index);
}

void BufferScan::WalkPlainly(std::string_view bytes, Target& target) const {
    const LanguageDefinition& language = m_rules.language();
    PlainWalk walk(bytes, target.rule, language.multilinenote_begin, language.multilinenote_end,
                   m_rules.encoding(), m_set);
    const std::vector<Needle>* needles = &NeedlesOf(target.look.phase());
    walk.LookFor(*needles);
    // Only the lines that hold a needle outside the comments are looked at.
    for (std::size_t from = 0;;) {
        const std::size_t at = walk.NextNeedle(from);
        if (at == std::string::npos) return;
        const PlainWalk::Line line = walk.LineAt(at);
        target.look.StartInside(line.startsInComment);
        Take(target, line.span, line.index);
        from = std::size_t{line.span.offset} + line.span.length;
        if (const std::vector<Needle>* now = &NeedlesOf(target.look.phase()); now != needles) {
            needles = now;
            walk.LookFor(*needles);
        }
    }
}

}  // namespace korvexer
