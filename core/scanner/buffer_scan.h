// SPDX-License-Identifier: MIT
// BufferScan: the rows of one file's bytes, with only the lines looked at that can matter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/app/row_list.h"
#include "core/scanner/statement_extractor.h"
#include "core/scanner/statement_rules.h"

namespace korvexer {

// Gives the rows that splitting the bytes into the line model, blanking the block comments and
// handing every statement to the extractor would give, in one pass that hands over only the
// lines that can matter: until the markers are passed every line outside a block comment (to
// look for them), after that only lines that open or close a comment or hold what a row needs.
// The others are counted, not split. Both references must outlive the scan.
class BufferScan {
public:
    BufferScan(const StatementRules& rules, const StatementExtractor& extractor, ScanMode mode);

    // Appends the rows of the file `path`, whose bytes (as read, up to the read limit) are
    // `bytes`, to `rows`. Numbers new constants with `counter` as the extractor says.
    void Run(std::string_view bytes, RowList& rows, const std::string& path,
             std::uint32_t& counter) const;

private:
    const StatementRules& m_rules;
    const StatementExtractor& m_extractor;
    ScanMode m_mode;
    RowNeedles m_clue;
};

}  // namespace korvexer
