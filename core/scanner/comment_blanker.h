// SPDX-License-Identifier: MIT
// CommentBlanker: block comments turned into spaces, one line at a time, in file order.
#pragma once

#include <cstddef>
#include <string>

#include "core/language/language_definition.h"
#include "core/platform/text_encoding.h"
#include "core/scanner/line_model.h"

namespace korvexer {

// Replaces the bytes of the language's block comments by spaces, so that lengths and columns
// stay. Lines are handed over in file order; the blanker remembers whether a comment runs on
// into the next one. Markers are found case-sensitively, inside string literals as well, starting
// on characters of the line (in the file's encoding); an unclosed comment runs to the end of the
// file. Blanks nothing when the language has no begin marker. The language must outlive the
// blanker.
class CommentBlanker {
public:
    CommentBlanker(const LanguageDefinition& language, TextEncoding encoding);
    CommentBlanker(LanguageDefinition&&, TextEncoding) = delete;  // would dangle

    // Blanks the comments of the line `span` of `bytes`. A line that neither is inside a comment
    // nor holds the begin marker is left as it is, so a caller may pass over such lines.
    void BlankLine(std::string& bytes, const LineSpan& span);
    // Whether a comment runs on past the last line handed over.
    bool inside() const { return m_inside; }
    // Sets whether the next line handed over starts inside a comment, for a caller that passed
    // over the lines before it and found their comments by other means.
    void SetInside(bool inside) { m_inside = inside; }

private:
    const LanguageDefinition& m_language;
    TextEncoding m_encoding;
    bool m_inside = false;
};

}  // namespace korvexer
