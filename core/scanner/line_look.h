// SPDX-License-Identifier: MIT
// LineLook: what every walk does with one line of a file: its block comments blanked, the marker
// phases followed, and its statement taken.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/scanner/comment_blanker.h"
#include "core/scanner/line_model.h"
#include "core/scanner/marker_phases.h"
#include "core/scanner/statement_rules.h"

namespace korvexer {

// Looks at the lines of one file's bytes, in file order. A walk that hands over every line needs
// nothing else; one that passes over lines says, for each line it hands over, whether a block
// comment runs on into it. The rules and the bytes must outlive the look.
class LineLook {
public:
    LineLook(const StatementRules& rules, std::string_view bytes);
    LineLook(StatementRules&&, std::string_view) = delete;  // would dangle

    // Where the next line handed over starts: inside a block comment or not.
    void StartInside(bool inside) { m_comments.SetInside(inside); }
    // Whether a block comment runs on past the last line looked at.
    bool inside() const { return m_comments.inside(); }
    MarkerPhases::Phase phase() const { return m_phases.phase(); }

    // Looks at the line `span` of the bytes, the line model's line `index`: blanks its comments in
    // a copy, follows the marker phases before the statements start, and after that tells whether
    // the line is a statement, filling `out` when it is (its strings are reused).
    bool Look(const LineSpan& span, std::size_t index, Statement& out);
    // The last line looked at, block comments blanked.
    std::string_view blanked() const { return m_line; }

private:
    const StatementRules& m_rules;
    std::string_view m_bytes;
    CommentBlanker m_comments;
    MarkerPhases m_phases;
    std::string m_blanked;    // the copy a line is blanked in, kept for its memory
    std::string_view m_line;  // the last line, blanked where it needed it
};

}  // namespace korvexer
