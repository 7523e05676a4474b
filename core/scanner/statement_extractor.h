// SPDX-License-Identifier: MIT
// StatementExtractor: turns one statement into at most one constant or call row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/list/row_layouts.h"
#include "core/list/row_list.h"
#include "core/language/language_definition.h"
#include "core/platform/clock.h"
#include "core/scanner/row_needles.h"
#include "core/scanner/statement_rules.h"

namespace korvexer {

// What a scan lists: constants (assignments of literals, accessor calls left by an earlier
// replacement) or calls (function calls, substitute calls left by an earlier substitution).
enum class ScanMode { Constants = 0, Calls = 1 };

// Names that are never taken for a called function, lower case, each followed by ';'.
inline constexpr std::string_view kKeywordList =
    "int;cstring;integer;string;dword;file;void;char;byte;long;double;real;float;single;return;"
    "goto;if;while;do;until;begin;end;exit;break;select;case;switch;";
// The runtime library's own entry points, lower case, each followed by ';'; calls of them are
// never listed. The first two are the accessors that replaced constants become.
inline constexpr std::string_view kLibraryEntryPoints =
    "getvalueint;getvaluestr;korvexinit;korvexexit;korvexopen;korvexclose;korvexversion;"
    "korvexlasterror;getvaluecount;getvaluetype;loadvaluetable;freevaluetable;setproductid;"
    "setcompanyid;checklicense;registermodule;unregistermodule;";

// The position text of a find: the line number counted from 1, then the column.
std::string PositionText(std::size_t lineIndex, std::size_t column);

// Turns one statement into at most one row of the constant list (constant mode) or of the
// function list (call mode), as the language's assignment operator, quote, terminator,
// separator, hexadecimal prefixes and numeric suffixes say.
class StatementExtractor {
public:
    // Statements are read in `encoding`. Both references must outlive the extractor.
    StatementExtractor(const LanguageDefinition& language, const Clock& clock,
                       TextEncoding encoding);
    StatementExtractor(LanguageDefinition&&, const Clock&, TextEncoding) = delete;  // would dangle
    StatementExtractor(const LanguageDefinition&, const Clock&&, TextEncoding) = delete;

    // Appends at most one row for `statement` of the file `path` to `rows` and returns whether it
    // did. In constant mode a new constant advances `counter` with NextConstantIndex and takes its
    // value as key; an accessor call keeps the key the source shows. Call mode ignores `counter`.
    bool Extract(RowList& rows, const Statement& statement, const std::string& path,
                 std::uint32_t& counter, ScanMode mode) const;

    // The byte strings of which every statement that Extract turns into a row in `mode` holds at
    // least one, as they stand in the statement's line; read from the same tables that Extract
    // reads.
    RowNeedles NeedlesOfRows(ScanMode mode) const;

private:
    // What can start the right-hand side of a constant row: a byte, or a word in any case.
    struct ConstantStarts {
        std::string bytes;
        std::vector<std::string> words;
    };
    static ConstantStarts ConstantStartsOf(const LanguageDefinition& language);
    bool StartsAConstant(std::string_view rhs) const;
    // The bytes of which a call's arguments show one: the closing parenthesis, the separator.
    static std::string CallArgumentMarksOf(const LanguageDefinition& language);

    bool ExtractConstant(RowList& rows, const Statement& statement, const std::string& path,
                         std::uint32_t& counter) const;
    bool ExtractCall(RowList& rows, const Statement& statement, const std::string& path) const;
    bool StartsWithHexPrefix(std::string_view text) const;

    const LanguageDefinition& m_language;
    const Clock& m_clock;
    TextEncoding m_encoding;
    ConstantStarts m_constantStarts;
    std::string m_callMarks;  // CallArgumentMarksOf the language
};

}  // namespace korvexer
