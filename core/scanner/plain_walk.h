// SPDX-License-Identifier: MIT
// PlainWalk: the places a scan stops at in a buffer split only at its break bytes, found in one
// pass of block masks that counts the lines on the way; and PlainWalkCheck, which tells when such
// a walk finds what the exact walk finds.
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
#include "core/scanner/row_needles.h"

namespace korvexer {

// Every condition under which a plain walk over a file's bytes finds the entries of its line
// model, the block comments that the blanker finds and every line that holds a needle. Of the
// language: the break's two bytes differ and its first is below 0x80; the comment markers are
// both given or both empty, at most two bytes long and below 0x80; no marker and no needle holds
// a break byte; there are needles to look for in the statements. Of the bytes: no line is long
// enough to be cut, and the markers never overlap ("/*/"). Then a break always ends a line and a
// marker always counts, unless a lead byte takes it as its second byte, which the walk's masks
// tell; and whether a byte lies in a comment depends only on the last marker before it.
class PlainWalkCheck {
public:
    // `rowNeedles` are what the walk looks for once the statements start, `markerWords` what it
    // looks for before (either may be empty where the language has no markers).
    PlainWalkCheck(LineBreak languageBreak, std::string commentBegin, std::string commentEnd,
                   const std::vector<Needle>& rowNeedles,
                   const std::vector<const std::vector<Needle>*>& markerWords);

    // Whether a plain walk over `bytes`, read in `encoding` and split by `rule`, finds what the
    // exact walk finds.
    bool Fits(std::string_view bytes, const BreakRule& rule, TextEncoding encoding) const;

private:
    std::string m_commentBegin;
    std::string m_commentEnd;
    bool m_languageFits;
};

// Walks a buffer that a PlainWalkCheck finds fit forward, classifying each block of 64 bytes once
// for the break, the comment markers and the needles looked for, and counting the breaks it
// passes. In GBK a break byte that a lead byte takes as its second byte ends no line, and so a
// marker byte of 0x40 or more counts for none: an odd run of lead bytes takes the byte after it,
// as the line model and the blanker read them. In UTF-8 no byte takes another. The comments come
// from the masks too: a byte lies in a comment when the last marker before it (or the byte itself)
// begins one, counting an end marker at its last byte. Every place asked for must not lie before an
// earlier one. The buffer must outlive the walk.
class PlainWalk {
public:
    PlainWalk(std::string_view bytes, const BreakRule& rule, std::string commentBegin,
              std::string commentEnd, TextEncoding encoding = TextEncoding::Gbk,
              block_kernels::InstructionSet set = block_kernels::Chosen());

    // The needles looked for from here on.
    void LookFor(const std::vector<Needle>& needles);

    // The first place at or after `from` where a needle counts outside the comments; npos when
    // there is none.
    std::size_t NextNeedle(std::size_t from);

    struct Line {
        LineSpan span;
        std::size_t index;     // in the line model
        bool startsInComment;  // whether a comment runs on into it from the lines before
    };
    // The line that holds `at` (not a break byte).
    Line LineAt(std::size_t at);

private:
    enum Channel : std::uint8_t { kBreaks, kNeedles, kBegins, kEnds };
    static constexpr std::size_t kBlock = 64;
    static constexpr std::size_t kBatch = 32;  // blocks classified in one call; at most 32

    // What the blocks before a batch leave to it.
    struct Carry {
        bool inComment = false;  // a comment runs on into it
        bool endMarker = false;  // a two-byte end marker starts in their last byte
        bool leadByte = false;   // their last byte is a lead byte that takes its first byte
    };

    // Moves the walk to the block that holds `at` (below the buffer's size).
    void MoveTo(std::size_t at);
    // Classifies the batch of blocks from `from`, counts their breaks and finds their comments.
    void Classify(std::size_t from);
    // Clears the break and marker bits that stand on second bytes of two-byte characters.
    void DropSecondBytes();
    // The comment masks of the batch, from the state that the blocks before it leave.
    void FollowComments();
    // The first needle outside the comments at or after `from`; npos when none. The walk moves to
    // its block.
    std::size_t NextLooked(std::size_t from);
    // Whether past the blanks after the needle at `at` stands a byte that may start a follower;
    // true where the needles do not all ask for followers.
    bool FollowerMayStandAfter(std::size_t at) const;
    // The last break before `at`, in the walk's block or before it; npos when none.
    std::size_t LastBreakBefore(std::size_t at) const;
    // The last break in the first `blocks` blocks of the batch or before it; npos when none.
    std::size_t LastBreakIn(std::size_t blocks) const;
    // The first break at or after `from`, beyond the walk's block; the buffer's size when none.
    std::size_t NextBreakFrom(std::size_t from) const;
    // Whether the byte after the break at `at`, in the batch or the last before it, lies in a
    // comment that began before it.
    bool InCommentAfterBreak(std::size_t at) const;

    std::string_view m_bytes;
    BreakRule m_rule;
    TextEncoding m_encoding;
    std::string m_commentBegin;
    std::string m_commentEnd;
    const std::vector<Needle>* m_needles = nullptr;
    block_kernels::InstructionSet m_set;
    // Whether a begin and an end marker on a second byte counts for none, as the blanker reads
    // them; a break there never counts.
    bool m_markersPairUp[2];
    std::vector<block_kernels::PairPattern> m_patterns;
    std::vector<std::uint8_t> m_channels;
    char m_pad = 0;  // a byte that starts no pattern, to pad the last block with
    // Where every needle asks for followers and all are this long (else 0): the bytes that start
    // one of their followers or follower words, a quick test before NeedleCountsAt's.
    std::size_t m_followedLength = 0;
    std::array<bool, 256> m_startsFollower{};

    // The batch: the blocks classified at once, the walk's block among them.
    std::size_t m_batchFrom = 0;    // its first block
    std::size_t m_batchBlocks = 0;  // how many blocks it holds
    std::array<block_kernels::BlockClass, kBatch> m_classes{};
    // For each block of the batch: the needles outside the comments, and the bytes whose last
    // marker before them begins a comment.
    std::array<std::uint64_t, kBatch> m_looked{};
    std::array<std::uint64_t, kBatch> m_afterBegin{};
    std::uint32_t m_blocksLooked = 0;  // bit b set where m_looked[b] is not zero
    // For each block of the batch and the place after the last, the breaks before it in the
    // buffer; and the last break before the batch (npos when none).
    std::array<std::size_t, kBatch + 1> m_breaksBefore{};
    std::size_t m_lastBreakBeforeBatch = std::string::npos;
    bool m_lastBreakBeforeBatchInComment = false;
    Carry m_intoBatch;        // what the blocks before the batch leave to it
    Carry m_outOfBatch;       // what the batch leaves to the next
    std::size_t m_block = 0;  // the walk's block: where it is
    std::size_t m_index = 0;  // its place in the batch
};

}  // namespace korvexer
