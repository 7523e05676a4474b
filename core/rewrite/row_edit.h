// SPDX-License-Identifier: MIT
// RowEdit: what one list row searches for at its position, what it puts there, and the line edit.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/language/language_definition.h"
#include "core/list/row_layouts.h"
#include "core/list/row_list.h"
#include "core/platform/text_encoding.h"

namespace korvexer {

// The three texts of one row: `search` must stand at the row's position, `result` is put in its
// place, and `removal` is the trailing comment that a take-back deletes (empty when applying).
struct RowEdit {
    std::string search;
    std::string result;
    std::string removal;

    bool Applies() const { return removal.empty(); }
};

// The texts of row `row` of `rows` for the list kind; `commentPrefix` is the language's one-line
// comment prefix and `quote` its string quote. A row whose state is "替换" is applied, any other
// state is taken back (callers skip "未知" rows before asking).
RowEdit DeriveRowEdit(const RowList& rows, std::size_t row, ListKind kind,
                      std::string_view commentPrefix, char quote);

// A position text "LINE:COLUMN" read as the C runtime's atoi reads numbers; without a colon the
// column is 1. A negative column counts as 0.
struct RowPosition {
    long line = 0;
    std::size_t column = 0;
};
RowPosition ParseRowPosition(std::string_view text);

// Whether `text` stands in `rest` from its first byte on: `rest` begins with it and, when `text`
// ends with a letter, digit or '_' (a number or a name), the byte after it cannot continue it (no
// letter, digit, '_' or '.', nor a byte that starts a character of more bytes). So "3" does not
// stand in "35;", nor "foo" in "foo_kx(".
bool StandsAt(std::string_view rest, std::string_view text,
              TextEncoding encoding = TextEncoding::Gbk);

// What a row finds at its position.
enum class LineEditResult {
    Edited,    // its text stood there and was replaced
    InPlace,   // the text it is to become stands there already
    NotThere,  // neither: the line holds something else there (or the position is past it)
};

// Applies `edit` to `line` at byte `column`: when the text from the column on holds the search
// text (StandsAt, and not a longer result text, as "foo_kx" begins with "foo"), or an accessor
// call "GetValueInt(...)" / "GetValueStr(...)", that text is replaced by the result; applying
// appends `commentPrefix` and the replaced text at the end of the line, taking back removes one
// copy of the removal text (the last one in the line). Returns the new line, or nothing when the
// line stays as it is; `result`, when given, tells why. A column past the line's end, or an empty
// search or result text, is NotThere: an empty result would delete the user's text. The line is
// read in `encoding`.
std::optional<std::string> EditLine(std::string_view line, std::size_t column, const RowEdit& edit,
                                    std::string_view commentPrefix,
                                    TextEncoding encoding = TextEncoding::Gbk,
                                    LineEditResult* result = nullptr);

// The position of the last occurrence of `needle` in `text` that starts on a character of
// `encoding` (never on the second byte of a two-byte GBK character, nor inside a UTF-8 one); npos
// when there is none or `needle` is empty.
std::size_t FindLastCharAligned(std::string_view text, std::string_view needle,
                                TextEncoding encoding = TextEncoding::Gbk);

}  // namespace korvexer
