// SPDX-License-Identifier: MIT
// BufferScan: the rows of one file's bytes, with only the lines looked at that can matter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/list/row_list.h"
#include "core/scanner/statement_extractor.h"
#include "core/scanner/statement_rules.h"

namespace korvexer {

// Gives the rows that splitting the bytes into the line model, blanking the block comments and
// handing every statement to the extractor would give, in one pass that hands over only the
// lines that can matter: those that hold a marker word (before the statements start) or what a
// row needs (after). Where no two-byte character or long line can move a break or a comment
// marker (PlainWalkFits), a plain walk finds those lines and passes over the comments between
// them; elsewhere the lines are stepped through and a line that opens a comment is looked at
// too. The others are counted, not split. Both references must outlive the scan.
class BufferScan {
public:
    BufferScan(const StatementRules& rules, const StatementExtractor& extractor, ScanMode mode);
    ~BufferScan();

    // Appends the rows of the file `path`, whose bytes (as read, up to the read limit) are
    // `bytes`, to `rows`. Numbers new constants with `counter` as the extractor says.
    void Run(std::string_view bytes, RowList& rows, const std::string& path,
             std::uint32_t& counter) const;

private:
    class LineLook;

    // The needles of the stretch that `look` is in.
    const std::vector<Needle>& NeedlesOf(const LineLook& look) const;
    // Finds the lines to look at with a plain walk, for bytes that PlainWalkFits.
    void WalkPlainly(std::string_view bytes, LineLook& look) const;
    // Finds them line by line with the line stepper, for any bytes.
    void WalkLineByLine(std::string_view bytes, LineLook& look) const;

    const StatementRules& m_rules;
    const StatementExtractor& m_extractor;
    ScanMode m_mode;
    RowNeedles m_clue;                    // what a statement line must hold to yield a row
    std::vector<Needle> m_beginWords;     // what a begin marker line holds
    std::vector<Needle> m_functionWords;  // what a function marker line holds
    // Whether the language and the needles allow a plain walk; the bytes of each file decide.
    bool m_mayWalkPlainly;
    // The strings a line is looked at with, kept from file to file so that their memory is
    // reused: a scan serves one thread at a time.
    struct Scratch {
        Statement statement;
        std::string blanked;  // a line with its comments blanked
    };
    mutable Scratch m_scratch;
};

}  // namespace korvexer
