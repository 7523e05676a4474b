// SPDX-License-Identifier: MIT
// The plain walk: batches of blocks classified at once, and every search a scan over their masks.
#include "core/scanner/plain_walk.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/platform/bits.h"
#include "core/scanner/byte_scanner.h"

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

// The bits below `count` (at most 63).
std::uint64_t BitsBelow(std::size_t count) {
    return (std::uint64_t{1} << count) - 1;
}

}  // namespace

bool PlainWalkFits(std::string_view bytes, LineBreak lineBreak, std::string_view commentBegin,
                   std::string_view commentEnd) {
    if (lineBreak.first == lineBreak.second) return false;
    // Where every stretch of kStretch bytes but the last holds a break, no line reaches 2 *
    // kStretch bytes; memchr finds the break in a few bytes of each.
    constexpr std::size_t kStretch = 2048;
    static_assert(2 * kStretch < kSourceLineLimit - 1);
    for (std::size_t at = 0; bytes.size() - at > kStretch; at += kStretch)
        if (std::memchr(bytes.data() + at, lineBreak.first, kStretch) == nullptr) return false;
    // The bytes that must start a character for the walk to find the lines and comments that the
    // line model and the blanker find.
    std::string startBytes(1, static_cast<char>(lineBreak.first));
    for (std::string_view marker : {commentBegin, commentEnd}) {
        // A marker with a high byte could pair up with the bytes around it: such a language is
        // walked line by line.
        for (const char byte : marker)
            if (static_cast<unsigned char>(byte) >= 0x80) return false;
        if (!marker.empty()) startBytes += marker[0];
    }
    if (static_cast<unsigned char>(lineBreak.first) >= 0x80) return false;
    return !FollowerTakenBySecondByte(bytes, startBytes);
}

PlainWalk::PlainWalk(std::string_view bytes, LineBreak lineBreak, std::string commentBegin,
                     std::string commentEnd)
    : m_bytes(bytes),
      m_break(lineBreak),
      m_commentBegin(std::move(commentBegin)),
      m_commentEnd(std::move(commentEnd)),
      m_set(bk::Best()),
      m_passedFrom(npos),
      m_passedTo(npos) {
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
    add(std::string(1, static_cast<char>(m_break.first)), false, kBreaks);
    for (const Needle& needle : needles) add(needle.text, needle.foldCase, kNeedles);
    add(m_commentBegin, false, kBegins);
    add(m_commentEnd, false, kEnds);
    m_pad = bk::PadByteFor(m_patterns);
    // The batch is classified again for the new needles.
    m_batchBlocks = 0;
}

void PlainWalk::Classify(std::size_t from) {
    if (from != m_batchFrom) {
        // The next batch: its counts start where the last one's end.
        m_breaksBefore[0] = m_breaksBefore[m_batchBlocks];
        m_lastBreakBeforeBatch = LastBreakIn(m_batchBlocks);
        m_batchFrom = from;
    }
    const std::size_t size = m_bytes.size();
    // The blocks that have a byte after them go to the classifier as they are.
    const std::size_t whole = std::min(kBatch, (size - from - 1) / kBlock);
    bk::ClassifyBlocks(m_set, m_bytes.data() + from, whole, m_patterns.data(), m_channels.data(),
                       m_patterns.size(), m_masks.data());
    m_batchBlocks = whole;
    const std::size_t last = from + whole * kBlock;
    if (whole < kBatch && last < size) {
        // The last block, and the byte after it, padded.
        char padded[kBlock + 1];
        std::memset(padded, m_pad, sizeof padded);
        std::memcpy(padded, m_bytes.data() + last, size - last);
        bk::ClassifyBlocks(m_set, padded, 1, m_patterns.data(), m_channels.data(),
                           m_patterns.size(), &m_masks[whole]);
        ++m_batchBlocks;
    }
    for (std::size_t b = 0; b < m_batchBlocks; ++b)
        m_breaksBefore[b + 1] = m_breaksBefore[b] + CountBits(m_masks[b][kBreaks]);
}

void PlainWalk::MoveTo(std::size_t at) {
    const std::size_t block = at - at % kBlock;
    if (m_batchBlocks == 0) Classify(m_batchFrom);
    while (block >= m_batchFrom + m_batchBlocks * kBlock)
        Classify(m_batchFrom + m_batchBlocks * kBlock);
    m_block = block;
    m_index = (block - m_batchFrom) / kBlock;
}

template <unsigned Channels>
std::size_t PlainWalk::NextInChannels(std::size_t from) {
    auto select = [](const bk::ChannelMasks& masks) {
        std::uint64_t bits = 0;
        for (std::size_t channel = 0; channel < bk::kChannels; ++channel)
            if ((Channels >> channel) & 1) bits |= masks[channel];
        return bits;
    };
    const std::size_t size = m_bytes.size();
    if (from >= size) return npos;
    MoveTo(from);
    std::uint64_t bits = select(masks()) & ~BitsBelow(from - m_block);
    while (bits == 0) {
        // The rest of the batch, then the next one.
        std::size_t index = m_index + 1;
        while (index < m_batchBlocks && (bits = select(m_masks[index])) == 0) ++index;
        if (bits != 0) {
            m_block += (index - m_index) * kBlock;
            m_index = index;
            break;
        }
        const std::size_t next = m_batchFrom + m_batchBlocks * kBlock;
        if (next >= size) return npos;
        MoveTo(next);
        bits = select(masks());
    }
    const std::size_t found = m_block + LowestBit(bits);
    return found < size ? found : npos;
}

std::size_t PlainWalk::LastBreakBefore(std::size_t at) const {
    const std::uint64_t before = masks()[kBreaks] & BitsBelow(at - m_block);
    return before != 0 ? m_block + HighestBit(before) : LastBreakIn(m_index);
}

std::size_t PlainWalk::LastBreakIn(std::size_t blocks) const {
    // Lines are short: the search seldom goes back more than a block or two.
    for (std::size_t b = blocks; b-- > 0;)
        if (const std::uint64_t breaks = m_masks[b][kBreaks]; breaks != 0)
            return m_batchFrom + b * kBlock + HighestBit(breaks);
    return m_lastBreakBeforeBatch;
}

std::size_t PlainWalk::CommentEndAfter(std::size_t open) {
    for (std::size_t at = NextInChannels<kEndsOnly>(open + m_commentBegin.size()); at != npos;
         at = NextInChannels<kEndsOnly>(at + 1))
        if (StandsAt(m_commentEnd, at)) return at;
    return npos;
}

std::size_t PlainWalk::NextNeedle(std::size_t from) {
    while (true) {
        const std::size_t at = NextInChannels<kLooked>(from);
        if (at == npos) return npos;
        // A needle where a comment begins is blanked with it.
        if (IsSet(kBegins, at) && StandsAt(m_commentBegin, at)) {
            const std::size_t close = CommentEndAfter(at);
            if (close == npos) return npos;
            from = close + m_commentEnd.size();
            const std::size_t lastBreak = LastBreakBefore(close);
            if (lastBreak != npos && lastBreak > at) {
                m_passedFrom = at;
                m_passedTo = from;
            }
            continue;
        }
        if (IsSet(kNeedles, at) && NeedleCountsAt(m_bytes, *m_needles, at)) return at;
        from = at + 1;
    }
}

std::size_t PlainWalk::PastCommentEnd(std::size_t from) {
    for (std::size_t at = NextInChannels<kEndsOnly>(from); at != npos;
         at = NextInChannels<kEndsOnly>(at + 1)) {
        if (!StandsAt(m_commentEnd, at)) continue;
        m_passedFrom = from;
        m_passedTo = at + m_commentEnd.size();
        return m_passedTo;
    }
    return npos;
}

LineSpan PlainWalk::LineAt(std::size_t at, std::size_t& index) {
    const std::size_t size = m_bytes.size();
    MoveTo(at);
    const std::uint64_t breaks = masks()[kBreaks];
    const std::size_t offset = at - m_block;
    index = m_breaksBefore[m_index] + CountBits(breaks & BitsBelow(offset));

    const char second = static_cast<char>(m_break.second);
    const std::size_t lastBreak = LastBreakBefore(at);
    std::size_t start = lastBreak == npos ? 0 : lastBreak + 1;
    if (lastBreak != npos && second != 0 && start < size && m_bytes[start] == second) ++start;

    const std::uint64_t after = offset == kBlock - 1 ? 0 : breaks & ~BitsBelow(offset + 1);
    std::size_t end = size;
    if (after != 0) {
        end = m_block + LowestBit(after);
    } else if (m_block + kBlock < size) {
        const std::size_t next = m_block + kBlock;
        const void* found = std::memchr(m_bytes.data() + next, m_break.first, size - next);
        if (found != nullptr) end = static_cast<const char*>(found) - m_bytes.data();
    }
    LineEnd kind = LineEnd::Break;
    if (end == size)
        kind = LineEnd::EndOfData;
    else if (second != 0 && (end + 1 >= size || m_bytes[end + 1] != second))
        kind = LineEnd::LoneFirstByte;
    return {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start), kind};
}

}  // namespace korvexer
