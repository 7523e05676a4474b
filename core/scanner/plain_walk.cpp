// SPDX-License-Identifier: MIT
// The plain walk: batches of blocks classified at once, and every search a scan over their masks.
#include "core/scanner/plain_walk.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/platform/bits.h"
#include "core/scanner/source_text.h"

namespace korvexer {

namespace bk = block_kernels;
using bits::CountBits;
using bits::HighestBit;
using bits::LowestBit;

namespace {

constexpr std::size_t npos = std::string::npos;

const std::vector<Needle>& NoNeedles() {
    static const std::vector<Needle> none;
    return none;
}

// Whether the blanker takes a marker that starts with a lead byte's second byte for no marker:
// its searches step over second bytes only for a first byte that can be one in GBK, 0x40 or more.
bool PairsUp(const std::string& marker) {
    return !marker.empty() && static_cast<unsigned char>(marker[0]) >= 0x40;
}

// The bits below `count` (at most 63).
std::uint64_t BitsBelow(std::size_t count) {
    return (std::uint64_t{1} << count) - 1;
}

// Whether an occurrence of `begin` and one of `end`, each of one or two bytes, share a byte in
// `bytes`: both start at one place, or one starts at the other's second byte.
bool MarkersOverlapIn(std::string_view bytes, std::string_view begin, std::string_view end) {
    auto occurs = [&](const std::string& text) {
        return bytes.find(text) != std::string_view::npos;
    };
    // At one place the shorter must be the start of the longer, which then stands there.
    const std::string_view shorter = begin.size() <= end.size() ? begin : end;
    const std::string_view longer = begin.size() <= end.size() ? end : begin;
    if (longer.substr(0, shorter.size()) == shorter && occurs(std::string(longer))) return true;
    // `second` starting at the second byte of `first`, which it must agree with: three bytes.
    auto startsAtSecondByte = [&](std::string_view first, std::string_view second) {
        return first.size() == 2 && first[1] == second[0] &&
               occurs(std::string(1, first[0]) + std::string(second));
    };
    return startsAtSecondByte(begin, end) || startsAtSecondByte(end, begin);
}

}  // namespace

PlainWalkCheck::PlainWalkCheck(LineBreak languageBreak, std::string commentBegin,
                               std::string commentEnd, const std::vector<Needle>& rowNeedles,
                               const std::vector<const std::vector<Needle>*>& markerWords)
    : m_commentBegin(std::move(commentBegin)),
      m_commentEnd(std::move(commentEnd)),
      m_languageFits(true) {
    // A file may be split at CR or LF whatever the language's break is (BreakRuleFor).
    std::string breakBytes = "\r\n";
    breakBytes += static_cast<char>(languageBreak.first);
    if (languageBreak.second != 0) breakBytes += static_cast<char>(languageBreak.second);
    auto holdsBreak = [&](const std::string& text) {
        return text.find_first_of(breakBytes) != std::string::npos;
    };
    auto isPlain = [](const std::string& marker) {
        // A marker with a high byte could pair up with the bytes around it, and a longer one is
        // more than the masks tell.
        return marker.size() <= 2 && std::none_of(marker.begin(), marker.end(), [](char byte) {
                   return static_cast<unsigned char>(byte) >= 0x80;
               });
    };
    if (m_commentBegin.empty() != m_commentEnd.empty() || !isPlain(m_commentBegin) ||
        !isPlain(m_commentEnd) || holdsBreak(m_commentBegin) || holdsBreak(m_commentEnd))
        m_languageFits = false;
    // Without needles, every statement line would have to be looked at.
    if (rowNeedles.empty()) m_languageFits = false;
    std::vector<const std::vector<Needle>*> lists = markerWords;
    lists.push_back(&rowNeedles);
    for (const std::vector<Needle>* needles : lists)
        for (const Needle& needle : *needles)
            if (holdsBreak(needle.text)) m_languageFits = false;
}

bool PlainWalkCheck::Fits(std::string_view bytes, const BreakRule& rule,
                          TextEncoding encoding) const {
    if (!m_languageFits) return false;
    auto isHigh = [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; };
    if (rule.first == rule.after || isHigh(rule.first) || isHigh(rule.after) || isHigh(rule.before))
        return false;
    // Where every stretch of kStretch bytes but the last holds a break, no line reaches 2 *
    // kStretch bytes; memchr finds one in a few bytes of each. A break byte that is the second
    // byte of a character ends no line.
    constexpr std::size_t kStretch = 2048;
    static_assert(2 * kStretch < kSourceLineLimit - 1);
    const char first = rule.first;
    for (std::size_t at = 0; bytes.size() - at > kStretch; at += kStretch) {
        const std::string_view stretch = bytes.substr(at, kStretch);
        std::size_t found = stretch.find(first);
        while (found != std::string_view::npos &&
               IsInsideCharacterAt(bytes, 0, at + found, encoding))
            found = stretch.find(first, found + 1);
        if (found == std::string_view::npos) return false;
    }
    // Where markers overlap ("/*/"), the blanker's reading depends on which it met first.
    return m_commentBegin.empty() || !MarkersOverlapIn(bytes, m_commentBegin, m_commentEnd);
}

PlainWalk::PlainWalk(std::string_view bytes, const BreakRule& rule, std::string commentBegin,
                     std::string commentEnd, TextEncoding encoding, bk::InstructionSet set)
    : m_bytes(bytes),
      m_rule(rule),
      m_encoding(encoding),
      m_commentBegin(std::move(commentBegin)),
      m_commentEnd(std::move(commentEnd)),
      m_set(set),
      m_markersPairUp{PairsUp(m_commentBegin), PairsUp(m_commentEnd)} {
    // Room for the patterns of a few needles besides the break and the markers, so that the
    // stretches of a file seldom grow the lists.
    constexpr std::size_t kPatternRoom = 16;
    m_patterns.reserve(kPatternRoom);
    m_channels.reserve(kPatternRoom);
    LookFor(NoNeedles());
}

void PlainWalk::LookFor(const std::vector<Needle>& needles) {
    m_needles = &needles;
    m_patterns.clear();
    m_channels.clear();
    auto add = [&](const std::string& text, bool foldCase, Channel channel) {
        if (text.empty()) return;
        const bk::PairPattern pattern = bk::PairPatternOf(text, foldCase);
        // Words that start alike share their pattern.
        for (std::size_t p = 0; p < m_patterns.size(); ++p) {
            const bk::PairPattern& known = m_patterns[p];
            if (m_channels[p] == channel && known.first == pattern.first &&
                known.second == pattern.second && known.hasSecond == pattern.hasSecond &&
                known.foldCase == pattern.foldCase)
                return;
        }
        m_patterns.push_back(pattern);
        m_channels.push_back(channel);
    };
    add(std::string(1, m_rule.first), false, kBreaks);
    for (const Needle& needle : needles) add(needle.text, needle.foldCase, kNeedles);
    add(m_commentBegin, false, kBegins);
    add(m_commentEnd, false, kEnds);
    m_pad = bk::PadByteFor(m_patterns);

    m_followedLength = needles.empty() ? 0 : needles.front().text.size();
    m_startsFollower.fill(false);
    for (const Needle& needle : needles) {
        if (needle.followers.empty() && needle.followerWords.empty()) m_followedLength = 0;
        if (needle.text.size() != m_followedLength) m_followedLength = 0;
        for (const char follower : needle.followers)
            m_startsFollower[static_cast<unsigned char>(follower)] = true;
        // Follower words compare with bit 0x20 set on both sides: a byte with it clear or set
        // starts one.
        for (const std::string& word : needle.followerWords) {
            if (word.empty()) continue;
            const auto folded = static_cast<unsigned char>(word[0] | 0x20);
            m_startsFollower[folded] = m_startsFollower[folded ^ 0x20u] = true;
        }
    }
    // The batch is classified again for the new needles.
    m_batchBlocks = 0;
}

void PlainWalk::Classify(std::size_t from) {
    if (from != m_batchFrom) {
        // The next batch: its counts start where the last one's end.
        m_breaksBefore[0] = m_breaksBefore[m_batchBlocks];
        const std::size_t lastBreak = LastBreakIn(m_batchBlocks);
        if (lastBreak != npos) m_lastBreakBeforeBatchInComment = InCommentAfterBreak(lastBreak);
        m_lastBreakBeforeBatch = lastBreak;
        m_intoBatch = m_outOfBatch;
        m_batchFrom = from;
    }
    const std::size_t size = m_bytes.size();
    // The blocks that have a byte after them go to the classifier as they are.
    const std::size_t whole = std::min(kBatch, (size - from - 1) / kBlock);
    bool leads = bk::ClassifyBlocks(m_set, m_bytes.data() + from, whole, m_patterns.data(),
                                    m_channels.data(), m_patterns.size(), m_classes.data());
    m_batchBlocks = whole;
    const std::size_t last = from + whole * kBlock;
    if (whole < kBatch && last < size) {
        // The last block, and the byte after it, padded.
        char padded[kBlock + 1];
        std::memset(padded, m_pad, sizeof padded);
        std::memcpy(padded, m_bytes.data() + last, size - last);
        leads = bk::ClassifyBlocks(m_set, padded, 1, m_patterns.data(), m_channels.data(),
                                   m_patterns.size(), &m_classes[whole]) ||
                leads;
        ++m_batchBlocks;
    }
    // Where no lead byte stands in the batch or runs into it, no byte is a second byte.
    if (m_encoding == TextEncoding::Gbk && (leads || m_intoBatch.leadByte))
        DropSecondBytes();
    else
        m_outOfBatch.leadByte = false;
    bk::CountRunningBits(m_set, m_classes.data(), m_batchBlocks, kBreaks, m_breaksBefore.data());
    FollowComments();
}

void PlainWalk::DropSecondBytes() {
    // A byte is the second byte of a character when the run of lead bytes right before it is
    // odd: the byte before a run always ends a character, so a run pairs up from its start. The
    // ends of the odd runs come from adding each run's start to the run, as the carry then lands
    // on the byte after it: a run that starts on an even place and ends on an odd one is odd, and
    // the other way round. A run that reaches the block's end carries its oddness into the next.
    constexpr std::uint64_t kEvenPlaces = 0x5555555555555555ULL;
    bool carry = m_intoBatch.leadByte;
    for (std::size_t b = 0; b < m_batchBlocks; ++b) {
        bk::BlockClass& cls = m_classes[b];
        const std::uint64_t leads = cls.leads;
        if (leads == 0 && !carry) continue;  // most blocks of most files: no lead byte at all
        const std::uint64_t starts = leads & ~(leads << 1);
        // A run that goes on from the block before starts one place earlier than it seems.
        const std::uint64_t evenStartPlaces = kEvenPlaces ^ std::uint64_t{carry};
        const std::uint64_t evenStarts = starts & evenStartPlaces;
        const std::uint64_t oddStarts = starts & ~evenStartPlaces;
        const std::uint64_t evenCarries = leads + evenStarts;
        const std::uint64_t oddCarries = (leads + oddStarts) | std::uint64_t{carry};
        // The sum wraps where an odd run reaches the block's end.
        const bool carryOut = leads + oddStarts < leads;
        const std::uint64_t seconds =
            ((evenCarries & ~kEvenPlaces) | (oddCarries & kEvenPlaces)) & ~leads;
        carry = carryOut;
        if (seconds == 0) continue;
        cls.channels[kBreaks] &= ~seconds;
        if (m_markersPairUp[0]) cls.channels[kBegins] &= ~seconds;
        if (m_markersPairUp[1]) cls.channels[kEnds] &= ~seconds;
    }
    m_outOfBatch.leadByte = carry;
}

void PlainWalk::FollowComments() {
    // An end marker counts at its last byte, the byte after which the comment is over.
    const bool twoByteEnd = m_commentEnd.size() == 2;
    bool inside = m_intoBatch.inComment;
    bool endCarried = m_intoBatch.endMarker;
    m_blocksLooked = 0;
    for (std::size_t b = 0; b < m_batchBlocks; ++b) {
        const bk::BlockClass& cls = m_classes[b];
        const std::uint64_t begins = cls.channels[kBegins];
        std::uint64_t ends = cls.channels[kEnds];
        if (twoByteEnd) {
            const bool carry = ends >> 63;
            ends = (ends << 1) | std::uint64_t{endCarried};
            endCarried = carry;
        }
        const std::uint64_t quiet = ~(begins | ends);
        // From the byte after each begin marker (and from the block's first byte, when a comment
        // runs on into it) the carry of the addition runs over the quiet bytes and stops at the
        // next marker: the bytes it changed are those whose last marker begins a comment.
        const std::uint64_t seeds = (begins << 1) | std::uint64_t{inside};
        const std::uint64_t afterBegin = (seeds + quiet) ^ quiet;
        m_afterBegin[b] = afterBegin;
        m_looked[b] = cls.channels[kNeedles] & ~(afterBegin | begins);
        m_blocksLooked |= std::uint32_t{m_looked[b] != 0} << b;
        if (const std::uint64_t markers = ~quiet; markers != 0)
            inside = (begins >> HighestBit(markers)) & 1;
    }
    m_outOfBatch.inComment = inside;
    m_outOfBatch.endMarker = endCarried;
}

void PlainWalk::MoveTo(std::size_t at) {
    const std::size_t block = at - at % kBlock;
    if (m_batchBlocks == 0) Classify(m_batchFrom);
    while (block >= m_batchFrom + m_batchBlocks * kBlock)
        Classify(m_batchFrom + m_batchBlocks * kBlock);
    m_block = block;
    m_index = (block - m_batchFrom) / kBlock;
}

std::size_t PlainWalk::NextLooked(std::size_t from) {
    const std::size_t size = m_bytes.size();
    if (from >= size) return npos;
    MoveTo(from);
    std::uint64_t bits = m_looked[m_index] & ~BitsBelow(from - m_block);
    while (bits == 0) {
        // The next block of the batch that holds a needle, else the next batch.
        const std::uint64_t later = m_blocksLooked & ~BitsBelow(m_index + 1);
        if (later != 0) {
            const std::size_t index = LowestBit(later);
            m_block += (index - m_index) * kBlock;
            m_index = index;
            bits = m_looked[index];
            break;
        }
        const std::size_t next = m_batchFrom + m_batchBlocks * kBlock;
        if (next >= size) return npos;
        MoveTo(next);
        bits = m_looked[m_index];
    }
    const std::size_t found = m_block + LowestBit(bits);
    return found < size ? found : npos;
}

std::size_t PlainWalk::LastBreakBefore(std::size_t at) const {
    const std::uint64_t before = m_classes[m_index].channels[kBreaks] & BitsBelow(at - m_block);
    return before != 0 ? m_block + HighestBit(before) : LastBreakIn(m_index);
}

std::size_t PlainWalk::LastBreakIn(std::size_t blocks) const {
    // Lines are short: the search seldom goes back more than a block or two.
    for (std::size_t b = blocks; b-- > 0;)
        if (const std::uint64_t breaks = m_classes[b].channels[kBreaks]; breaks != 0)
            return m_batchFrom + b * kBlock + HighestBit(breaks);
    return m_lastBreakBeforeBatch;
}

std::size_t PlainWalk::NextBreakFrom(std::size_t from) const {
    // Past the walk's block the masks may not be made yet: the byte is searched for, and a find
    // that a lead byte takes as its second byte passed over.
    const char first = m_rule.first;
    for (std::size_t at = m_bytes.find(first, from); at != npos; at = m_bytes.find(first, at + 1))
        if (!IsInsideCharacterAt(m_bytes, 0, at, m_encoding)) return at;
    return m_bytes.size();
}

bool PlainWalk::InCommentAfterBreak(std::size_t at) const {
    // The break is no marker: what holds at the break holds after it.
    if (at < m_batchFrom) return m_lastBreakBeforeBatchInComment;
    const std::size_t offset = at - m_batchFrom;
    return (m_afterBegin[offset / kBlock] >> (offset % kBlock)) & 1;
}

bool PlainWalk::FollowerMayStandAfter(std::size_t at) const {
    if (m_followedLength == 0) return true;
    std::size_t next = at + m_followedLength;
    while (next < m_bytes.size() && source_text::IsBlank(m_bytes[next])) ++next;
    return next < m_bytes.size() && m_startsFollower[static_cast<unsigned char>(m_bytes[next])];
}

std::size_t PlainWalk::NextNeedle(std::size_t from) {
    // Most needles in a source are followed by what no row starts with: those are refused by a
    // look at one byte before the full test.
    for (std::size_t at = NextLooked(from); at != npos; at = NextLooked(at + 1))
        if (FollowerMayStandAfter(at) && NeedleCountsAt(m_bytes, *m_needles, at)) return at;
    return npos;
}

PlainWalk::Line PlainWalk::LineAt(std::size_t at) {
    const std::size_t size = m_bytes.size();
    MoveTo(at);
    const std::uint64_t breaks = m_classes[m_index].channels[kBreaks];
    const std::size_t offset = at - m_block;
    const std::size_t index = m_breaksBefore[m_index] + CountBits(breaks & BitsBelow(offset));

    const std::size_t lastBreak = LastBreakBefore(at);
    std::size_t start = lastBreak == npos ? 0 : lastBreak + 1;
    if (lastBreak != npos && m_rule.after != 0 && start < size && m_bytes[start] == m_rule.after)
        ++start;

    const std::uint64_t after = offset == kBlock - 1 ? 0 : breaks & ~BitsBelow(offset + 1);
    std::size_t end =
        after != 0 ? m_block + LowestBit(after) : NextBreakFrom(std::min(m_block + kBlock, size));
    const LineEnd kind = end == size ? LineEnd::EndOfData : LineEnd::Break;
    // A byte before the break belongs to it where it starts a character of its own.
    if (kind == LineEnd::Break && m_rule.before != 0 && end > start &&
        m_bytes[end - 1] == m_rule.before &&
        !IsInsideCharacterAt(m_bytes, start, end - 1, m_encoding))
        --end;
    const LineSpan span{static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start),
                        kind};
    return {span, index, lastBreak != npos && InCommentAfterBreak(lastBreak)};
}

}  // namespace korvexer
