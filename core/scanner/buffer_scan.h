// SPDX-License-Identifier: MIT
// BufferScan: the rows of one file's bytes, by the plain walk where it applies, else by the exact
// walk over every line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/list/row_list.h"
#include "core/scanner/block_kernels.h"
#include "core/scanner/marker_phases.h"
#include "core/scanner/plain_walk.h"
#include "core/scanner/row_needles.h"
#include "core/scanner/statement_extractor.h"
#include "core/scanner/statement_rules.h"

namespace korvexer {

// What a scan noticed about a file that its user may want to set right.
struct FileScanNotes {
    bool otherBreak = false;  // split at another line break than the language's (BreakRuleFor)
};

// How a scan walks a file: the fastest walk that gives the exact walk's rows, or the exact walk.
enum class ScanWalk { Fastest, Exact };

// Gives the rows of a file's bytes: the exact walk splits them into the line model, blanks the
// block comments and hands every statement to the extractor; where the PlainWalkCheck finds the
// bytes fit, the plain walk hands over only the lines that hold a needle (a marker word before the
// statements start, what a row needs after) and gives the same rows. Both references must outlive
// the scan.
class BufferScan {
public:
    BufferScan(const StatementRules& rules, const StatementExtractor& extractor, ScanMode mode,
               ScanWalk walk = ScanWalk::Fastest,
               block_kernels::InstructionSet set = block_kernels::Chosen());
    ~BufferScan();

    // Appends the rows of the file `path`, whose bytes (as read, up to the read limit) are
    // `bytes`, to `rows`. Numbers new constants with `counter` as the extractor says.
    FileScanNotes Run(std::string_view bytes, RowList& rows, const std::string& path,
                      std::uint32_t& counter) const;
    // Whether Run takes the plain walk for `bytes`.
    bool WalksPlainly(std::string_view bytes) const;

private:
    struct Target;

    // The needles of the phase the look is in.
    const std::vector<Needle>& NeedlesOf(MarkerPhases::Phase phase) const;
    void WalkPlainly(std::string_view bytes, Target& target) const;
    void WalkExactly(std::string_view bytes, Target& target) const;
    // Hands the statement of a line, when it is one, to the extractor.
    void Take(Target& target, const LineSpan& span, std::size_t index) const;
    bool WalksPlainly(std::string_view bytes, const BreakRule& rule) const;

    const StatementRules& m_rules;
    const StatementExtractor& m_extractor;
    ScanMode m_mode;
    ScanWalk m_walk;
    block_kernels::InstructionSet m_set;
    RowNeedles m_clue;                    // what a statement line must hold to yield a row
    std::vector<Needle> m_beginWords;     // what a begin marker line holds
    std::vector<Needle> m_functionWords;  // what a function marker line holds
    PlainWalkCheck m_plainCheck;
    // The memory a file is looked at with, kept from file to file: a scan serves one thread at a
    // time.
    mutable Statement m_statement;
    mutable std::vector<LineSpan> m_lines;
};

}  // namespace korvexer
