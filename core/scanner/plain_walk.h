// SPDX-License-Identifier: MIT
// PlainWalk: the places a scan stops at in a buffer split only at its break bytes, found in one
// pass of block masks that counts the lines on the way.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/language/language_definition.h"
#include "core/scanner/block_kernels.h"
#include "core/scanner/line_model.h"
#include "core/scanner/needle_finder.h"

namespace korvexer {

// Whether a plain walk over `bytes` finds the entries of their line model and the block comments
// that the blanker finds: the break's two bytes differ, no line is long enough to be cut, the
// markers and the break's first byte are below 0x80, and none of those bytes is the second byte
// of a two-byte character. Then the break always ends a line and a marker always counts.
bool PlainWalkFits(std::string_view bytes, LineBreak lineBreak, std::string_view commentBegin,
                   std::string_view commentEnd);

// Walks a buffer that PlainWalkFits forward, classifying each block of 64 bytes once for the break,
// the comment markers and the needles looked for, and counting the breaks it passes. No marker or
// needle may hold a break byte. Every place asked for must not lie before an earlier one. The
// buffer must outlive the walk.
class PlainWalk {
public:
    PlainWalk(std::string_view bytes, LineBreak lineBreak, std::string commentBegin,
              std::string commentEnd);

    // The needles looked for from here on.
    void LookFor(const std::vector<Needle>& needles);

    // The first place at or after `from`, which is outside any block comment, where a needle
    // counts outside the comments; npos when there is none before the end or before a comment
    // that runs to the end. The comments before it are passed over.
    std::size_t NextNeedle(std::size_t from);
    // Where the comment that runs on at `from` ends (past its end marker); npos when it runs to
    // the end. The comment counts as passed over from `from` on.
    std::size_t PastCommentEnd(std::size_t from);
    // Whether a line that starts at `lineStart` starts inside the last comment passed over that
    // runs over a line's end.
    bool StartsInPassedComment(std::size_t lineStart) const {
        return m_passedFrom < lineStart && lineStart < m_passedTo;
    }

    // The line that holds `at` (not a break byte), and its index in the line model.
    LineSpan LineAt(std::size_t at, std::size_t& index);

private:
    enum Channel : std::uint8_t { kBreaks, kNeedles, kBegins, kEnds };
    // The channels searched: for the next needle or comment, and for a comment's end.
    static constexpr unsigned kLooked = (1u << kNeedles) | (1u << kBegins);
    static constexpr unsigned kEndsOnly = 1u << kEnds;
    static constexpr std::size_t kBlock = 64;
    static constexpr std::size_t kBatch = 32;  // blocks classified in one call

    // Moves the walk to the block that holds `at` (below the buffer's size).
    void MoveTo(std::size_t at);
    // Classifies the batch of blocks from `from` and counts their breaks.
    void Classify(std::size_t from);
    // The masks of the walk's block.
    const block_kernels::ChannelMasks& masks() const { return m_masks[m_index]; }
    // The first place at or after `from` whose bit is set in one of `Channels` (a set of bits
    // 1 << channel); npos when none. The walk moves to its block.
    template <unsigned Channels>
    std::size_t NextInChannels(std::size_t from);
    // Whether the bit of `at`, in the walk's block, is set in `channel`.
    bool IsSet(Channel channel, std::size_t at) const {
        return (masks()[channel] >> (at - m_block)) & 1;
    }
    // The last break before `at`, in the walk's block; npos when none.
    std::size_t LastBreakBefore(std::size_t at) const;
    // The last break in the first `blocks` blocks of the batch or before it; npos when none.
    std::size_t LastBreakIn(std::size_t blocks) const;
    // The end of the comment whose begin marker stands at `open`; npos when it runs to the end.
    std::size_t CommentEndAfter(std::size_t open);
    // Whether `marker`, found by its first two bytes at `at`, stands there whole.
    bool StandsAt(const std::string& marker, std::size_t at) const {
        return marker.size() <= 2 || m_bytes.compare(at, marker.size(), marker) == 0;
    }

    std::string_view m_bytes;
    LineBreak m_break;
    std::string m_commentBegin;
    std::string m_commentEnd;
    const std::vector<Needle>* m_needles = nullptr;
    block_kernels::InstructionSet m_set;
    std::vector<block_kernels::PairPattern> m_patterns;
    std::vector<std::uint8_t> m_channels;
    char m_pad = 0;  // a byte that starts no pattern, to pad the last block with

    // The batch: the blocks classified at once, the walk's block among them.
    std::size_t m_batchFrom = 0;    // its first block
    std::size_t m_batchBlocks = 0;  // how many blocks it holds
    std::array<block_kernels::ChannelMasks, kBatch> m_masks{};
    // For each block of the batch and the place after the last, the breaks before it in the
    // buffer; and the last break before the batch (npos when none).
    std::array<std::size_t, kBatch + 1> m_breaksBefore{};
    std::size_t m_lastBreakBeforeBatch = std::string::npos;
    std::size_t m_block = 0;  // the walk's block: where it is
    std::size_t m_index = 0;  // its place in the batch
    std::size_t m_passedFrom;
    std::size_t m_passedTo;
};

}  // namespace korvexer
